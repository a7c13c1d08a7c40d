#include "HistoryComboBox.h"

#include "Text1252Qt.h"

#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>

namespace pelmora {

HistoryComboBox::HistoryComboBox(std::function<void(const QString&)> textChanged,
                                 std::function<void()> clearAllItems, QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // What the user typed stays as typed: no inline completion from the history,
    // and with no completer the combo matches its entries with letter case, so
    // leaving the box never swaps the text for an entry that differs in case.
    setCompleter(nullptr);
    connect(this, &QComboBox::editTextChanged, this,
            [textChanged](const QString& text) { textChanged(text); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    auto showMenu = [this, clearAllItems](const QPoint&) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Clear All Items"), this,
                       [clearAllItems] { clearAllItems(); });
        menu.exec(QCursor::pos());
    };
    connect(this, &QWidget::customContextMenuRequested, this, showMenu);
    connect(lineEdit(), &QWidget::customContextMenuRequested, this, showMenu);
}

void HistoryComboBox::Show(const std::vector<std::string>& items, const std::string& text) {
    const QSignalBlocker blocker(this);
    QStringList entries;
    for (const auto& item : items)
        entries << FromCore(item);
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (entries != shown) {
        clear();
        addItems(entries);
    }
    if (currentText() != FromCore(text)) {
        setCurrentIndex(-1);
        setEditText(FromCore(text));
    }
}

} // namespace pelmora
