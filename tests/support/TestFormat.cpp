#include "support/TestFormat.h"

CTestFormat CTestFormat::From(const FORMATETC& fmt)
{
    return {fmt.cfFormat, fmt.tymed, fmt.dwAspect, fmt.lindex};
}

FORMATETC CTestFormat::ToFormatEtc() const
{
    return {cf, nullptr, aspect, lindex, tymed};
}

std::ostream& operator<<(std::ostream& out, const CTestFormat& fmt)
{
    return out << "{cf " << fmt.cf << ", tymed " << fmt.tymed << ", aspect " << fmt.aspect
               << ", lindex " << fmt.lindex << "}";
}
