#pragma once
// The only web addresses the programs open.

namespace menu {

// The maker's web site (a reserved example host until the real one is chosen). Pages are appended.
inline constexpr char SiteAddress[] = "http://www.tavrineyes.example";
inline constexpr char SiteShown[] = "www.tavrineyes.example";
inline constexpr char DonatePage[] = "/donate.htm";
inline constexpr char FeedbackPage[] = "/feedback.php";
inline constexpr char PostInstallPage[] = "/TavrinEyes_PIl.htm";

// The encyclopedia article of the About window, and its short title.
inline constexpr char ArticleAddress[] = "https://en.wikipedia.org/wiki/Eye";
inline constexpr char ArticleTitle[] = "Eye article";

}  // namespace menu
