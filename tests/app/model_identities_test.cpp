// The identities of the models a check has taken: neighbours on one volume are told apart up to
// the table's capacity.
#include <gtest/gtest.h>

#include "app/model_identities.h"

// Inode numbers in sequence, as the files of one folder get them, meet in the table's slots.
TEST(ModelIdentities, NeighbouringFilesOfOneVolumeAreEachNewUpToTheCapacity) {
    clearModelIdentities();
    for (std::uint64_t index = 1; index <= kModelIdentityCapacity; ++index)
        ASSERT_EQ(noteModelIdentity({7, index}), 1) << index;
    EXPECT_EQ(noteModelIdentity({8, 1}), -1); // another volume: a model not met, and no room
}
