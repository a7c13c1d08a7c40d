#include "QtFileDialogs.h"

#include "Text1252Qt.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QStringList>

namespace pelmora {

namespace {

// Tells a file's type by its name alone. Qt's own provider reads a file's first
// bytes to tell it, and a special file such as /proc/kmsg never answers, which
// froze the dialog as soon as the user typed "/proc".
class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        return QAbstractFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir())
            return QStringLiteral("Folder");
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        return mime.isDefault() ? QStringLiteral("File") : mime.comment();
    }
    using QAbstractFileIconProvider::icon;
};

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

// A folder given, or else the user's documents.
QString StartFolder(const QString& folder) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

std::optional<SaveChoice> QtFileDialogs::AskSaveFile(const std::string& filter,
                                                     const std::string& suggested) {
    const QStringList names = FilterNames(filter);
    const QFileInfo start(FromCore(suggested));
    QFileDialog dialog(
        parent_, QStringLiteral("Save As"),
        StartFolder(suggested.find('/') == std::string::npos ? QString() : start.path()),
        names.join(QStringLiteral(";;")));
    NameOnlyIconProvider icons;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(start.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveChoice{ToCore(dialog.selectedFiles().front()),
                      FilterIndex(names, dialog.selectedNameFilter())};
}

std::optional<std::string> QtFileDialogs::AskOpenFile(const std::string& filter,
                                                      const std::string& folder) {
    QFileDialog dialog(parent_, QStringLiteral("Open Order"), StartFolder(FromCore(folder)),
                       FilterNames(filter).join(QStringLiteral(";;")));
    NameOnlyIconProvider icons;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToCore(dialog.selectedFiles().front());
}

} // namespace pelmora
