// Holder of a medium handed out under a tymed that ReleaseStgMedium cannot
// act on (several bits, an unknown bit): the delivered STGMEDIUM names it as
// pUnkForRelease, so the caller's ReleaseStgMedium still frees the medium.
#pragma once

#include <objidl.h>

// Takes `medium` over on success (it is then the owner's to release); one
// reference for the caller.
HRESULT CreateMediumOwner(const STGMEDIUM& medium, IUnknown** out);
