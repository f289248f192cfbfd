// PLACEHOLDER until the family's messages are written.
#include "capture/FindingText.h"

const std::span<const CheckMessage> kTextCheckMessages;
