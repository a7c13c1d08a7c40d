#include "QtFileDialogs.h"

#include "Text1252Qt.h"

#include <QFileDialog>
#include <QStringList>

namespace pelmora {

namespace {

// "Name|*.ext|Name|*.ext" becomes Qt's list of "Name" entries; the names already
// carry their patterns in brackets.
QStringList FilterNames(const std::string& filter) {
    const QStringList parts = FromCore(filter).split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        names << parts[i];
    return names;
}

// The 1-based position of the filter the dialog reports. Qt gives back the name
// with its runs of blanks collapsed, so names are compared that way.
int FilterIndex(const QStringList& names, const QString& chosen) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].simplified() == chosen.simplified())
            return static_cast<int>(i) + 1;
    }
    return 1;
}

} // namespace

std::optional<SaveChoice> QtFileDialogs::AskSaveFile(const std::string& filter) {
    const QStringList names = FilterNames(filter);
    QString chosen = names.value(0);
    const QString file = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save As"), QString(),
                                                      names.join(QStringLiteral(";;")), &chosen,
                                                      QFileDialog::DontUseNativeDialog);
    if (file.isEmpty())
        return std::nullopt;
    return SaveChoice{ToCore(file), FilterIndex(names, chosen)};
}

std::optional<std::string> QtFileDialogs::AskOpenFile(const std::string& filter) {
    const QString file = QFileDialog::getOpenFileName(
        parent_, QStringLiteral("Open Order"), QString(),
        FilterNames(filter).join(QStringLiteral(";;")), nullptr, QFileDialog::DontUseNativeDialog);
    if (file.isEmpty())
        return std::nullopt;
    return ToCore(file);
}

} // namespace pelmora
