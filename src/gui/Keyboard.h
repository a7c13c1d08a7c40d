#pragma once

#include <QObject>

namespace pelmora {

// Enter presses the focused push button in every window of the program. Check
// boxes and radio buttons toggle with Space only, so Enter never changes a value
// unseen. Dialogs keep their own rule (Enter presses the focused push button or
// else the default one), so their default buttons work as before.
class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Alt with a letter that no control of the window claims types nothing into the
// focused field: a key the user meant as a command never becomes text. Claimed
// letters never get here, the window's shortcuts take them first.
class AltLettersTypeNothing : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace pelmora
