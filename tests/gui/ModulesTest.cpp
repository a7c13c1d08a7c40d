// The printer and the download modules as the program finds them: in its own
// folder in a build, in the package's folder once installed, and with a message
// naming the module when it cannot.
#include "Modules.h"

#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtTest>
#include <stdexcept>

using namespace pelmora;

class ModulesTest : public QObject {
    Q_OBJECT

    static QString Failure(const QString& folder, const char* module, const char* function) {
        try {
            ModuleFunction(folder, module, function);
        } catch (const std::runtime_error& error) {
            return QString::fromStdString(error.what());
        }
        return {};
    }

private slots:
    void foundBesideTheProgramAndWhereThePackageInstallsThem() {
        const QString built = QCoreApplication::applicationDirPath();
        QVERIFY(ModuleFunction(built, "pelmora38-print", "pelmora_new_printer"));
        QVERIFY(ModuleFunction(built, "pelmora38-download", "pelmora_new_downloader"));

        testing::TempFolder root;
        const QString program = QString::fromStdString(root.Path()) + QStringLiteral("usr/bin");
        const QString modules = program + QLatin1Char('/') + QLatin1String(ModulesFromProgram);
        QVERIFY(QDir().mkpath(program) && QDir().mkpath(modules));
        // A copy under another name, so that the one this process loaded above
        // cannot stand in for it.
        QVERIFY(QFile::copy(built + QStringLiteral("/pelmora38-print.so"),
                            modules + QStringLiteral("/pelmora38-installed.so")));
        QVERIFY(ModuleFunction(program, "pelmora38-installed", "pelmora_new_printer"));
    }

    void aModuleThatCannotBeLoadedIsNamed() {
        const QString built = QCoreApplication::applicationDirPath();
        const QString missing = Failure(built, "pelmora38-none", "pelmora_new_printer");
        QVERIFY2(missing.startsWith(
                     QStringLiteral("The program's module pelmora38-none.so cannot be loaded: ")),
                 qPrintable(missing));
        QCOMPARE(Failure(built, "pelmora38-print", "pelmora_new_downloader"),
                 QStringLiteral("The program's module pelmora38-print.so lacks "
                                "pelmora_new_downloader"));
    }
};

QTEST_MAIN(ModulesTest)
#include "ModulesTest.moc"
