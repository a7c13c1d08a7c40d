// Typed input and the keyboard, through the real widgets: what the user types is
// what the program works with, and Enter and Alt+letter do at the first press what
// the user sees.
#include "GuiPlatform.h"
#include "Keyboard.h"
#include "Program.h"
#include "QtConfirmDialogs.h"
#include "QtMessageBoxes.h"
#include "WhenShown.h"
#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TestCatalogue.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace pelmora;
using testing::WhenShown;

class KeyboardAndTypingTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() {
            testing::WriteTestCatalogue(folder);
            testing::WriteTable(folder, "Conversion.tbl",
                                "Old|New|Comment\nWS-90-12-C39|R090PU0120USG|Same section");
            testing::WriteTable(folder, "StraightSectionPrice.tbl",
                                "W|Base|Foot|Paint|Delivery|Limit\n090|100.00|25.00|15.00|Stock|5");
            folder.Write("Data/OldParts.hst", "WS-90-12-C39\r\n");
            folder.Write("Data/Parts.hst", "T062UCG\r\nST090S\r\n");
            app.SetFolders(folder.Path());
        }
        testing::TempFolder folder;
        AppState app;
        testing::GuiPlatform platform;
        testing::FakeMessageBoxes& messages = platform.Fakes.Messages;
    };

    static QWidget* Shown(QMainWindow& window) {
        window.show();
        window.activateWindow();
        [&window] { QVERIFY(QTest::qWaitForWindowActive(&window)); }();
        return &window;
    }

    // The main window shown just before may take the activation back a moment
    // after the dialog got it.
    static void Activate(QWidget* window) {
        for (int attempt = 0;
             attempt < 50 && QGuiApplication::focusWindow() != window->windowHandle(); ++attempt) {
            window->activateWindow();
            QTest::qWait(20);
        }
        QCOMPARE(QGuiApplication::focusWindow(), window->windowHandle());
    }

    // The family, then the first size and the first flanges it offers.
    static void PickScreenOne(QWidget& window, int family) {
        Pick(window, "cbxProductType", family);
        Pick(window, "cbxWaveguide", 0);
        Pick(window, "cbxFlangeA", 0);
        Pick(window, "cbxFlangeB", 0);
    }

    static void Pick(QWidget& window, const char* name, int index) {
        auto* box = window.findChild<QComboBox*>(name);
        QVERIFY2(box && index < box->count(), name);
        emit box->activated(index);
    }

    // No two controls shown in a window share an underlined letter, menu titles
    // included: Alt+letter never presses what the user did not mean.
    static void LettersAreTheirOwn(QWidget* window) {
        QStringList owners;
        QMap<QKeySequence, QString> letters;
        auto claim = [&](const QString& text) {
            const QKeySequence letter = QKeySequence::mnemonic(text);
            if (letter.isEmpty())
                return;
            if (letters.contains(letter))
                owners << letters[letter] + QStringLiteral(" and ") + text;
            letters[letter] = text;
        };
        if (auto* main = qobject_cast<QMainWindow*>(window)) {
            for (const QAction* menu : main->menuBar()->actions())
                claim(menu->text());
        }
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(window) && button->window() == window)
                claim(button->text());
        }
        QVERIFY2(owners.isEmpty(), qPrintable(owners.join(QStringLiteral("; "))));
    }

    // Tab from the focused control round the window: every push button that can be
    // pressed takes the focus on the way.
    static void TabReachesEveryButton(QWidget* window) {
        Activate(window);
        LettersAreTheirOwn(window);
        QSet<QWidget*> waiting;
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->isVisibleTo(window) && button->isEnabled() &&
                button->focusPolicy() & Qt::TabFocus)
                waiting.insert(button);
        }
        QVERIFY(!waiting.isEmpty());
        for (int press = 0; press < 60 && !waiting.isEmpty(); ++press) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused && focused->window() == window, qPrintable(window->objectName()));
            QTest::keyClick(focused, Qt::Key_Tab);
            waiting.remove(QApplication::focusWidget());
        }
        for (QWidget* button : waiting)
            QFAIL(qPrintable(window->objectName() + QStringLiteral(": Tab never reaches ") +
                             button->objectName()));
    }

    static QLineEdit* EditOf(QWidget* dialog, const char* combo) {
        return dialog->findChild<QComboBox*>(combo)->lineEdit();
    }

private slots:
    void initTestCase() {
        qApp->installEventFilter(new EnterPressesButtons(qApp));
        qApp->installEventFilter(new AltLettersTypeNothing(qApp));
    }

    // Enter converts exactly what a click converts, in whatever letter case.
    void conversionTakesALowerCaseNumberWithEnter() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        WhenShown([](QWidget* dialog) {
            QLineEdit* edit = EditOf(dialog, "cbxOldPartNumber");
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("ws-90-12-c39"));
            QCOMPARE(edit->text(), QStringLiteral("ws-90-12-c39"));
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::qWait(50); // the focus settles, and the box is left
            QCOMPARE(edit->text(), QStringLiteral("ws-90-12-c39"));
            QCOMPARE(dialog->findChild<QLineEdit*>("txtNewPartNumber")->text(),
                     QStringLiteral("R090PU0120USG"));
            auto* proceed = dialog->findChild<QPushButton*>("btnContinue");
            QVERIFY(proceed->isEnabled());
            QCOMPARE(QApplication::focusWidget(), proceed);
            QTest::keyClick(proceed, Qt::Key_Return);
        });
        program.Main.mnuConvertClick();
        QCOMPARE(program.Main.Family(), pfStraightSection);
        QVERIFY(f.messages.Log.empty());
    }

    // A part number that is the beginning of an older one is never completed.
    void quickBuilderCreatesExactlyWhatWasTyped() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        WhenShown([](QWidget* dialog) {
            QLineEdit* edit = EditOf(dialog, "cbxPartNumber");
            QTest::keyClicks(edit, QStringLiteral("ST090"));
            QCOMPARE(edit->text(), QStringLiteral("ST090"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        program.Main.mnuCreateFromPartNumberClick();
        QCOMPARE(program.QuickBuilder.History.Items,
                 (std::vector<std::string>{"T062UCG", "ST090S", "ST090"}));
    }

    // Opening a box's own list is not leaving it, and an empty box left alone is
    // no typed value.
    void anEmptiedLengthBoxOpensItsListAndIsLeftQuietly() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        Pick(*window, "cbxProductType", pfMiterH);
        Pick(*window, "cbxWaveguide", 0);
        program.Main.PickLength(program.Main.cbxLegALength, 1); // 2.5 in
        program.Main.mnuMetricClick();
        program.Main.mnuImperialClick();
        program.MainWindow.Refresh();
        auto* legA = window->findChild<QComboBox*>("cbxLegALength");
        QCOMPARE(legA->currentText(), QString());
        legA->setFocus();
        QStyleOptionComboBox option;
        option.initFrom(legA);
        option.editable = true;
        const QRect arrow = legA->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxArrow, legA);
        QTest::mouseClick(legA, Qt::LeftButton, {}, arrow.center());
        QTRY_VERIFY(legA->view()->isVisible());
        legA->hidePopup();
        QTest::keyClick(legA, Qt::Key_Tab);
        QVERIFY2(f.messages.Log.empty(),
                 f.messages.Log.empty() ? "" : f.messages.Log[0].Text.c_str());
        QCOMPARE(legA->currentText(), QString());
    }

    // The Next press that left a box with a refused length stays on screen 1.
    void nextAfterARefusedLengthStaysOnScreenOne() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        PickScreenOne(*window, pfStraightSection);
        QLineEdit* length = window->findChild<QComboBox*>("cbxLength")->lineEdit();
        length->setFocus();
        length->selectAll();
        QTest::keyClicks(length, QStringLiteral("99"));
        QTest::mouseClick(window->findChild<QPushButton*>("btnNext"), Qt::LeftButton);
        QCOMPARE(f.messages.Log.front().Text, std::string("Length \"99\" is not available."));
        QCOMPARE(window->findChild<QLabel*>("lblScreenCaption")->text(),
                 QStringLiteral("Wizard - Screen 1 of 2"));
        QCOMPARE(program.Main.cbxLength.Text, std::string("24.0"));
        QTest::mouseClick(window->findChild<QPushButton*>("btnNext"), Qt::LeftButton);
        QCOMPARE(window->findChild<QLabel*>("lblScreenCaption")->text(),
                 QStringLiteral("Wizard - Screen 2 of 2"));
    }

    // Alt+N leaves a typed length as a click does; a refusal seen after Tab holds
    // no later Next.
    void aRefusalHoldsOnlyTheNextThatLeftTheBox() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        PickScreenOne(*window, pfStraightSection);
        auto* caption = window->findChild<QLabel*>("lblScreenCaption");
        QLineEdit* length = window->findChild<QComboBox*>("cbxLength")->lineEdit();
        auto typeRefused = [&] {
            length->setFocus();
            length->selectAll();
            QTest::keyClicks(length, QStringLiteral("99"));
        };
        typeRefused();
        QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(f.messages.Log.size(), size_t(1));
        QTest::qWait(300); // the animated click has landed
        QCOMPARE(caption->text(), QStringLiteral("Wizard - Screen 1 of 2"));

        typeRefused();
        QTest::keyClick(length, Qt::Key_Tab);
        QCOMPARE(f.messages.Log.size(), size_t(2));
        Pick(*window, "cbxFlangeB", 0);
        QTest::mouseClick(window->findChild<QPushButton*>("btnNext"), Qt::LeftButton);
        QCOMPARE(caption->text(), QStringLiteral("Wizard - Screen 2 of 2"));
    }

    // The price shown is always the price of the quantity Add stores.
    void anEmptyOrZeroQuantityPricesAndStoresOne() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        WhenShown([](QWidget* dialog) {
            auto* quantity = dialog->findChild<QSpinBox*>("txtQuantity");
            QLineEdit* edit = quantity->findChild<QLineEdit*>();
            auto* price = dialog->findChild<QLineEdit*>("txtPrice");
            QTest::keyClicks(edit, QStringLiteral("3"));
            QCOMPARE(price->text(), QStringLiteral("$420.00"));
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QCOMPARE(price->text(), QStringLiteral("$140.00"));
            QTest::keyClicks(edit, QStringLiteral("0"));
            QCOMPARE(price->text(), QStringLiteral("$140.00"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        program.AddOrder.OpenAddToOrder({1, "R090PC0120USG", "d"}, program.Main.OrderLines);
        QCOMPARE(program.Main.OrderLines.Lines,
                 std::vector<std::string>{"1|$140.00|Stock|R090PC0120USG|d"});
    }

    void enterPressesTheFocusedButtonOfTheMainWindow() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        auto* next = window->findChild<QPushButton*>("btnNext");
        next->setFocus();
        QTest::keyClick(next, Qt::Key_Return);
        QTRY_COMPARE(f.messages.Log.size(), size_t(1));
        QCOMPARE(f.messages.Log[0].Text, std::string("Please fill all options to continue."));
    }

    // Each control of a window has its own letter: Alt+F is the File menu's on
    // screen 2, Finish has Alt+I, and Alt+C is Continue's where Cancel has none.
    void everyControlOfAWindowHasItsOwnLetter() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        program.Main.btnBackClick();
        PickScreenOne(*window, pfRigidTwist);
        window->findChild<QPushButton*>("btnNext")->click();
        QCOMPARE(window->findChild<QPushButton*>("btnFinish")->shortcut(),
                 QKeySequence(Qt::ALT | Qt::Key_I));
        QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
        QVERIFY(program.MainWindow.menuBar()->activeAction());
        QCOMPARE(program.MainWindow.menuBar()->activeAction()->text(), QStringLiteral("&File"));
        QVERIFY2(f.messages.Log.empty(), "Finish was not pressed");

        QtConfirmDialogs confirm;
        WhenShown([](QWidget* dialog) {
            QVERIFY(dialog->findChild<QPushButton*>("btnCancel")->shortcut().isEmpty());
            QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(!dialog->isVisible()); // a shortcut clicks after a moment
        });
        QCOMPARE(confirm.ConfirmLegSwap("one", "two"), ModalResult::Ok);
        WhenShown([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(confirm.ConfirmTapered("ends"), ModalResult::Cancel);
    }

    // A dialog's letters are its own, whatever the main window shows: Alt+O
    // converts in the conversion dialog though the main window has an Options menu.
    void aDialogKeepsItsLettersBesideTheMainWindow() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        Shown(program.MainWindow);
        WhenShown([](QWidget* dialog) {
            Activate(dialog);
            QLineEdit* edit = EditOf(dialog, "cbxOldPartNumber");
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("WS-90-12-C39"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::AltModifier); // no letter
            QCOMPARE(edit->text(), QStringLiteral("WS-90-12-C39"));
            QTest::keyClick(edit, Qt::Key_O, Qt::AltModifier);
            QTRY_COMPARE(dialog->findChild<QLineEdit*>("txtNewPartNumber")->text(),
                         QStringLiteral("R090PU0120USG"));
            QCOMPARE(edit->text(), QStringLiteral("WS-90-12-C39"));
        });
        program.Main.mnuConvertClick();
    }

    // Enter presses push buttons only; a check box toggles with Space alone.
    void enterLeavesACheckBoxAlone() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        Pick(*window, "cbxProductType", pfStraightSection);
        Pick(*window, "cbxWaveguide", 0);
        auto* adaptor = window->findChild<QCheckBox*>("chkFlangeAdaptor");
        QVERIFY(adaptor->isVisible());
        adaptor->setFocus();
        QTest::keyClick(adaptor, Qt::Key_Return);
        QTest::qWait(300); // an animated click would land by now
        QVERIFY(!adaptor->isChecked());
        QVERIFY(!program.Main.chkFlangeAdaptorChecked);
    }

    // The order form opened first from screen 2: Tab goes from the grid on to the
    // buttons, and the form's own letters act.
    void theOrderFormFromScreenTwoIsWalkedByTabAndItsLetters() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        PickScreenOne(*window, pfRigidTwist);
        window->findChild<QPushButton*>("btnNext")->click();
        program.Main.OrderLines.Lines = {"1|$1.00|Stock|R090PC0120USG|one"};
        WhenShown([&program](QWidget* dialog) {
            Activate(dialog);
            auto* grid = dialog->findChild<QAbstractItemView*>("grdOrder");
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Tab);
            QVERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()));
            QCOMPARE(QApplication::focusWidget()->window(), dialog);
            QTest::keyClick(dialog, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(program.Main.OrderLines.Lines.empty());
            QVERIFY2(!grid->selectionModel()->hasSelection(), "the blank row is no picked line");
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        window->findChild<QPushButton*>("btnViewOrder")->click();
        QCOMPARE(f.messages.Log.back().Text,
                 std::string("Doing this will clear you entire order. Continue?"));
    }

    // Tab walks every window of an order to each of its buttons.
    void tabReachesEveryButtonOfEveryWindow() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        window->findChild<QComboBox*>("cbxProductType")->setFocus();
        TabReachesEveryButton(window);
        PickScreenOne(*window, pfStraightSection);
        window->findChild<QPushButton*>("btnNext")->click();
        window->findChild<QPushButton*>("btnCreate")->click();
        TabReachesEveryButton(window);

        program.Main.OrderLines.Lines = {"1|$1.00|Stock|R090PC0120USG|one"};
        for (auto open : std::initializer_list<std::function<void()>>{
                 [&] { program.Main.btnViewOrderClick(); },
                 [&] { program.Main.btnAddOrderClick(); },
                 [&] { program.Main.mnuCreateFromPartNumberClick(); },
                 [&] { program.Main.mnuConvertClick(); }, [&] { program.Main.btnViewSpecsClick(); },
                 [&] { program.Main.mnuUpdateClick(); }, [&] { program.Main.mnuAboutClick(); }}) {
            WhenShown([](QWidget* dialog) { TabReachesEveryButton(dialog); });
            open();
        }
        QtConfirmDialogs confirm;
        WhenShown([](QWidget* dialog) { TabReachesEveryButton(dialog); });
        confirm.ConfirmLegSwap("one", "two");
        WhenShown([](QWidget* dialog) { TabReachesEveryButton(dialog); });
        confirm.ConfirmTapered("ends");
    }

    void destructiveQuestionsDefaultToNo() {
        QtMessageBoxes messages;
        WhenShown([](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!messages.ConfirmDestructive("Delete \"R090PC0120USG\" from your order?"));
    }

    // A bend composed in the window puts each flange on its own leg.
    void aBendKeepsEachFlangeOnItsLeg() {
        Fixture f;
        Program program(f.app, f.platform.Seams, f.platform.Windows);
        QWidget* window = Shown(program.MainWindow);
        Pick(*window, "cbxProductType", pfEBend);
        Pick(*window, "cbxWaveguide", 0);
        Pick(*window, "cbxFlangeA", 1);     // K, UG Choke
        Pick(*window, "cbxFlangeB", 0);     // C, CPR Flat
        Pick(*window, "cbxLegALength", 8);  // 6.0 in
        Pick(*window, "cbxLegBLength", 14); // 9.0 in
        window->findChild<QPushButton*>("btnNext")->click();
        window->findChild<QPushButton*>("btnCreate")->click();
        QCOMPARE(window->findChild<QLineEdit*>("txtPartNumber")->text(),
                 QStringLiteral("E090PC090K060SG"));
    }
};

QTEST_MAIN(KeyboardAndTypingTest)
#include "KeyboardAndTypingTest.moc"
