#include "QtSaveDialog.h"

#include "Text1252Qt.h"

#include <QFileDialog>
#include <QStringList>

namespace pelmora {

std::optional<SaveChoice> QtSaveDialog::AskSaveFile(const std::string& filter) {
    // "Name|*.ext|Name|*.ext" becomes Qt's list of "Name" entries; the names
    // already carry their patterns in brackets.
    const QStringList parts = FromCore(filter).split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        names << parts[i];
    QString chosen = names.value(0);
    const QString file = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save As"), QString(),
                                                      names.join(QStringLiteral(";;")), &chosen);
    if (file.isEmpty())
        return std::nullopt;
    return SaveChoice{ToCore(file), static_cast<int>(names.indexOf(chosen)) + 1};
}

} // namespace pelmora
