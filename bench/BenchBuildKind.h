// What kind of build a benchmark runs in: the host tree builds with the sanitizers, which slow
// every step several times over, so its figures are only good for ratios.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define VC_BENCH_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VC_BENCH_SANITIZED 1
#endif
#endif

#if defined(VC_BENCH_SANITIZED)
constexpr const char* kBuildKind = "sanitized build (AddressSanitizer): times are inflated";
#elif defined(_WIN64)
constexpr const char* kBuildKind = "Windows x86-64 build";
#elif defined(_WIN32)
constexpr const char* kBuildKind = "Windows i686 build";
#else
constexpr const char* kBuildKind = "native plain build";
#endif
