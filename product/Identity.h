#pragma once
// The product's names, in one place: what the programs, the setup, the benchmarks and the tests' drivers
// call the product, its settings, its programs and its windows. CMake writes the setup's !defines from
// this file (cmake/ProductIdentity.cmake), so that the setup cannot name another class, key or
// program than the programs do: keep each name on one line, `inline constexpr char Name[] = "text";`.

#include <string>
#include <string_view>

namespace product {

// The application title: message boxes, the name of the Run value, the Start menu folder.
inline constexpr char Title[] = "Tavrin Eyes";
inline constexpr char Publisher[] = "Brellik's Software";
// The eyes' settings in the current user's registry.
inline constexpr char SettingsKey[] = "Software\\Brellik's Software\\Tavrin Eyes\\2.0";

// The three programs, side by side in one folder.
inline constexpr char EyesProgram[] = "TavrinEyes.exe";
inline constexpr char SkinnerProgram[] = "skinner.exe";
inline constexpr char OpenerProgram[] = "TavrinEyes_PIL.exe";

// The class of every window of the three programs.
inline constexpr char WindowClass[] = "TavrinEyesForm";
// Held by the running eyes, marking a running copy for other programs.
inline constexpr char MutexName[] = "Tavrin_Eyes";

// The maker's web site (a reserved example host until the real one is chosen); pages are appended.
inline constexpr char SiteAddress[] = "http://www.tavrineyes.example";
inline constexpr char SiteShown[] = "www.tavrineyes.example";
inline constexpr char DonatePage[] = "/donate.htm";
inline constexpr char FeedbackPage[] = "/feedback.php";
inline constexpr char PostInstallPage[] = "/TavrinEyes_PIl.htm";
// The encyclopedia article of the About window, and its short title.
inline constexpr char ArticleAddress[] = "https://en.wikipedia.org/wiki/Eye";
inline constexpr char ArticleTitle[] = "Eye article";

// A program's name without ".exe": the title of skinner's and the opener's message boxes.
constexpr std::string_view Stem(std::string_view program) { return program.substr(0, program.size() - 4); }
// A program's name as the Unicode process functions take it (the names are ASCII).
inline std::wstring Wide(std::string_view name) { return {name.begin(), name.end()}; }

}  // namespace product
