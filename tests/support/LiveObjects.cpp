#include "support/LiveObjects.h"

#include <atomic>

namespace {
// Tests may make and release objects on other threads.
std::atomic<long> g_liveObjects{0};
}

long LiveTestObjects() { return g_liveObjects.load(); }

CLiveObject::CLiveObject() { ++g_liveObjects; }
CLiveObject::~CLiveObject() { --g_liveObjects; }
