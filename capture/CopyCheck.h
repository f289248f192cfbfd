// The check of a format's bytes while they are copied. A large format is
// checked on a thread of its own while its pieces are written, so that
// checking costs the copy next to no time. Pieces queue up while their bytes
// stay where they are (a locked memory block); a caller that reads the next
// piece into the same buffer waits for the last one first.
#pragma once

#include "portable/FormatCheck.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class CCopyCheck {
public:
    CCopyCheck(std::unique_ptr<CFormatCheck> check, uint64_t size);
    // Waits for the pieces in hand.
    ~CCopyCheck();
    CCopyCheck(const CCopyCheck&) = delete;
    CCopyCheck& operator=(const CCopyCheck&) = delete;

    explicit operator bool() const { return m_pCheck != nullptr; }
    // Hands `piece` to the check; its bytes must stay until Wait returns.
    void Start(ByteSpan piece);
    // Returns once every piece started has been checked.
    void Wait();
    // Every piece checked: the check, to be finished.
    std::unique_ptr<CFormatCheck> Take();

private:
    void Run();

    std::unique_ptr<CFormatCheck> m_pCheck;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ByteSpan> m_pieces;  // started, not yet checked; the first one may be in hand
    bool m_bEnding = false;
    std::thread m_worker;  // only for a large format
};
