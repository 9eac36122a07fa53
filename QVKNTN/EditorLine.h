// Which editor line this build is. The earlier line shares the current line's code and differs
// only where these switches are tested, or by a file of the same name under earlier/.
#pragma once

#if defined(VC_LINE_EARLIER)
inline constexpr bool kEarlierLine = true;
#else
inline constexpr bool kEarlierLine = false;
#endif
