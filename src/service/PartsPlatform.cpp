#include "PartsPlatform.h"

#include <algorithm>

namespace pelmora::service {

void PartsPlatform::Keep(const service::Shown& message) {
    const bool known = std::any_of(Kept.begin(), Kept.end(), [&](const service::Shown& kept) {
        return kept.Kind == message.Kind && kept.Text == message.Text;
    });
    if (!known && Kept.size() < KeptMessages)
        Kept.push_back(message);
}

} // namespace pelmora::service
