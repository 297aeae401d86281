// The models a check has taken, by file identity, so that a model met again (through a link, a
// second name, a folder named twice) is checked once.
#pragma once

#include "platform/platform.h"

// Models told apart; the table has twice as many slots, so a search stays short.
constexpr int kModelIdentityCapacity = 64 * 1024;

void clearModelIdentities();
// 1 when `identity` is met for the first time (and now kept), 0 when it was met before, -1 when
// the table is full (it is not kept: met again, it will count as new).
int noteModelIdentity(const platform::FileIdentity& identity);
