// What a capture run takes from the program around it: the settings it obeys
// and the files its nodes' bytes go to. The application object is the host.
#pragma once

#include "framework/Handles.h"

#include <cstdint>
#include <string>

struct CaptureOptions {
    // Bytes a top-level format may gather before its walks stop opening
    // sub-containers; negative stops every one.
    int64_t sizeLimit = 128LL << 20;
    // Shell item lists are walked through IStorage rather than IShellFolder.
    bool itemsAsStorage = false;
};

class ICaptureHost {
public:
    virtual CaptureOptions GetCaptureOptions() const = 0;
    // A new empty file for a node's bytes, opened for writing, and its path
    // in `path`; an invalid handle (and an empty path when no name could be
    // had) on failure.
    virtual CFileHandle CreateTempFile(std::wstring& path) const = 0;
    // The folder those files are made in.
    virtual std::wstring WorkFolder() const = 0;

protected:
    ~ICaptureHost() = default;
};
