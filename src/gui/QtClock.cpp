#include "QtClock.h"

#include <QDate>

namespace pelmora {

Date QtClock::Today() {
    const QDate today = QDate::currentDate();
    return Date{std::chrono::year(today.year()),
                std::chrono::month(static_cast<unsigned>(today.month())),
                std::chrono::day(static_cast<unsigned>(today.day()))};
}

} // namespace pelmora
