// The DPI that Wine gives the processes started while this lives (LogPixels
// of the prefix's user, read at process start), then the value as it was.
#pragma once

class CLogPixelsOverride {
public:
    explicit CLogPixelsOverride(int dpi);
    ~CLogPixelsOverride();
    CLogPixelsOverride(const CLogPixelsOverride&) = delete;
    CLogPixelsOverride& operator=(const CLogPixelsOverride&) = delete;

private:
    int m_nSaved;  // -1 when there was none
};
