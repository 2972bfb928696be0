#pragma once

namespace wendaro {

// The login helper that starts Wendaro when the user logs in.
inline constexpr const char* kLoginItemIdentifier = "org.wendaro.Wendaro-2-Helper";

inline constexpr const char* kSupportMailURL = "mailto:support@wendaro.org?Subject=Wendaro%202";

inline constexpr const char* kStoreReviewURL =
    "macappstore://reviews.wendaro.org/WebObjects/MZUserPublishing.woa/wa/addUserReview"
    "?id=0000000000&displayable-kind=30";

inline constexpr const char* kLoginItemFailureMessage = "Changing login item status failed.";

}  // namespace wendaro
