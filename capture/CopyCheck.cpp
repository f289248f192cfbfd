#include "capture/CopyCheck.h"

namespace {

// Below this a thread costs more than the checking it would hide.
constexpr uint64_t kThreadedCheckSize = uint64_t{8} << 20;

}  // namespace

CCopyCheck::CCopyCheck(std::unique_ptr<CFormatCheck> check, uint64_t size) : m_pCheck(std::move(check))
{
    if (m_pCheck && size >= kThreadedCheckSize)
        m_worker = std::thread([this] { Run(); });
}

CCopyCheck::~CCopyCheck()
{
    if (!m_worker.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_bEnding = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

void CCopyCheck::Start(ByteSpan piece)
{
    if (!m_worker.joinable()) {
        m_pCheck->Consume(piece);
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_pieces.push_back(piece);
    }
    m_changed.notify_all();
}

void CCopyCheck::Wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_pieces.empty(); });
}

std::unique_ptr<CFormatCheck> CCopyCheck::Take()
{
    Wait();
    return std::move(m_pCheck);
}

void CCopyCheck::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_pieces.empty() || m_bEnding; });
        // Ending with pieces left means the copy gave up: they need no checking.
        if (m_bEnding)
            return;
        const ByteSpan piece = m_pieces.front();
        lock.unlock();
        m_pCheck->Consume(piece);
        lock.lock();
        m_pieces.pop_front();
        m_changed.notify_all();
    }
}
