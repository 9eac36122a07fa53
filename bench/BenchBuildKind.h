// What kind of build a benchmark runs in: the host tree builds with the sanitizers, which slow
// every step several times over, so its figures are only good for ratios.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr const char* kBuildKind = "sanitized build (AddressSanitizer): times are inflated";
#else
constexpr const char* kBuildKind = "plain build";
#endif
#else
constexpr const char* kBuildKind = "plain build";
#endif
