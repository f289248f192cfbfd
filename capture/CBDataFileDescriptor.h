// A file group descriptor (FileGroupDescriptor or FileGroupDescriptorW) with
// the names of the files it describes, and the capture of the FileContents
// items it describes.
#pragma once

#include "capture/CBData.h"

class CCBData_FileDescriptor : public CCBData {
public:
    // Fill m_arrFileNames and the name lines from the node's bytes.
    void ReadDescriptorsW();
    void ReadDescriptorsA();

    CStringArray m_arrFileNames;
};

// The descriptor that describes the FileContents node `contents`: the last
// wide one with the same aspect, else the last ANSI one, else null.
CCBData_FileDescriptor* FindFileGroupDescriptor(const CCBDataArray& nodes, const CCBData& contents);

// One child per described file, each asked with its index and named after
// it. With `refusedAsWhole`, an item the source refuses is asked once more
// without an index: the single block the Win32 clipboard holds for them all.
void CaptureFileContents(CCBDataArray& children, CCBDataCreateContext& context,
                         const CCBData_FileDescriptor& descriptor, const FORMATETC& contentsFormat,
                         bool refusedAsWhole = false);
