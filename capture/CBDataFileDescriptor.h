// A file group descriptor (FileGroupDescriptor or FileGroupDescriptorW) with
// the names of the files it describes.
#pragma once

#include "capture/CBData.h"

class CCBData_FileDescriptor : public CCBData {
public:
    CStringArray m_arrFileNames;
};
