// How a capture run shows what it takes and hears that it is to stop. The
// window hands in its progress dialog; a test or a command line runs headless.
#pragma once

#include <cstdint>
#include <string>

class ICaptureProgress {
public:
    // What is being taken: a format's name, an item's name.
    virtual void ShowItem(const std::wstring& text) = 0;
    // How far the run is: formats done of formats offered.
    virtual void ShowProgress(uint64_t done, uint64_t total) = 0;
    // Polled between items and chunks; true once the run is to stop, and
    // from then on.
    virtual bool ShouldStop() = 0;

protected:
    ~ICaptureProgress() = default;
};

// Shows nothing and never stops the run.
class CHeadlessProgress final : public ICaptureProgress {
public:
    void ShowItem(const std::wstring&) override {}
    void ShowProgress(uint64_t, uint64_t) override {}
    bool ShouldStop() override { return false; }
};
