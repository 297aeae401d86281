// The identities of the models a check has taken: an open-addressing table of fixed size.
#include "app/model_identities.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kSlots = 2 * kModelIdentityCapacity; // a power of two
static_assert((kSlots & (kSlots - 1)) == 0, "the slot index is masked");

struct IdentityTable {
    platform::FileIdentity identities[kSlots];
    bool used[kSlots];
    int count;
};

IdentityTable gTable;

std::uint32_t slotOf(const platform::FileIdentity& identity) {
    // Inode numbers run in sequence: mixed, so that neighbours spread over the table.
    std::uint64_t h = identity.index * 0x9E3779B97F4A7C15ull ^ identity.volume;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h) & (kSlots - 1);
}

} // namespace

void clearModelIdentities() {
    for (bool& used : gTable.used) used = false;
    gTable.count = 0;
}

int noteModelIdentity(const platform::FileIdentity& identity) {
    std::uint32_t slot = slotOf(identity);
    while (gTable.used[slot]) {
        const platform::FileIdentity& kept = gTable.identities[slot];
        if (kept.volume == identity.volume && kept.index == identity.index) return 0;
        slot = (slot + 1) & (kSlots - 1);
    }
    if (gTable.count == kModelIdentityCapacity) return -1;
    gTable.used[slot] = true;
    gTable.identities[slot] = identity;
    ++gTable.count;
    return 1;
}
