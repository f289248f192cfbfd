#include "capture/FindingText.h"

#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/capture.h"

#include <array>
#include <string_view>

namespace {

constexpr CheckMessage kCaptureMessages[] = {
    {"capture.error", "", IDS_CHECK_CAPTURE_ERROR},
    {"hdrop.missing-file", "", IDS_CHECK_MISSING_FILE},
};

const CheckMessage* FindMessage(const Finding& finding)
{
    for (const std::span<const CheckMessage> table : {kTextCheckMessages, kBinaryCheckMessages, kCaptureCheckMessages})
        for (const CheckMessage& message : table)
            if (finding.id == message.id && finding.variant == message.variant)
                return &message;
    return nullptr;
}

// `pattern` with %1 to %9 replaced by the values and %% by a percent sign.
std::wstring PutValues(std::wstring_view pattern, const std::vector<std::string>& values)
{
    std::wstring text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        if (pattern[i] == L'%' && next >= L'1' && next <= L'9') {
            const size_t index = static_cast<size_t>(next - L'1');
            if (index < values.size())
                text += FromUtf8(values[index]);
            ++i;
        } else {
            text += pattern[i];
            if (pattern[i] == L'%' && next == L'%')
                ++i;
        }
    }
    return text;
}

}  // namespace

const std::span<const CheckMessage> kCaptureCheckMessages = kCaptureMessages;

std::wstring FindingMessage(const Finding& finding)
{
    if (const CheckMessage* message = FindMessage(finding))
        return PutValues(LoadResString(message->text), finding.values);
    // An id this version has no words for: its values are all there is to show.
    std::wstring text = FromUtf8(finding.id);
    for (const std::string& value : finding.values)
        text += L" " + FromUtf8(value);
    return text;
}

std::wstring SeverityName(FindingSeverity severity)
{
    constexpr std::array<UINT, 3> kNames{IDS_SEVERITY_ERROR, IDS_SEVERITY_WARNING, IDS_SEVERITY_NOTE};
    return LoadResString(kNames[static_cast<size_t>(severity)]);
}
