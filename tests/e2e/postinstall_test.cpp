// The post-install opener: it asks the shell for the maker's welcome page once and ends about three
// seconds after it started, showing nothing, whether or not a browser exists.

#include "tests/e2e/Eyes.h"

#include <fstream>
#include <sstream>
#include <thread>

using namespace e2e;

namespace {

struct OpenerRun {
    std::optional<int> Exit;
    double Seconds = 0;       // from its launch to its end
    double OwnSeconds = -1;   // from the moment its (hidden) window exists to its end
    bool Shown = false;       // a message box, or its own window made visible
    bool ScreenBlank = true;  // the virtual display stayed white while it ran
};

// Whether every pixel of a screenshot is white (the display's root; nothing drawn over it).
bool AllWhite(const std::string& ppmFile) {
    std::ifstream in(ppmFile, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (magic != "P6" || width <= 0 || height <= 0 || maximum != 255) return false;
    std::string pixels(static_cast<std::size_t>(width) * height * 3, '\0');
    if (!in.read(pixels.data(), static_cast<std::streamsize>(pixels.size()))) return false;
    return pixels.find_first_not_of('\xff') == std::string::npos;
}

// Starts the installed opener and watches it until it ends (or 15 s pass): message boxes, its own
// window, and one picture of the screen halfway through its wait. Wine takes 0.5-1.5 s to bring a
// program up (several seconds on a busy machine), so the three seconds are measured from the moment
// its window exists; the time from the launch only gets loose bounds.
OpenerRun RunOpener(Session& session) {
    OpenerRun run;
    const auto started = Clock::now();
    const pid_t pid = session.StartInstalled("TavrinEyes_PIL.exe");
    bool pictured = false;
    std::optional<Clock::time_point> windowSeen;
    while (!(run.Exit = session.WaitExit(pid, 100ms)) && Clock::now() - started < 15s) {
        const std::string own = session.FindWindow(FormClass, "Form1");
        if (own != "0" && !windowSeen) windowSeen = Clock::now();
        if (own != "0" && session.Ask("visible " + own) == "1") run.Shown = true;
        const std::string box = session.FindWindow("#32770", "-");
        if (box != "0" && session.Ask("visible " + box) == "1") run.Shown = true;
        if (!pictured && windowSeen && Clock::now() - *windowSeen > 1500ms) {
            pictured = true;
            run.ScreenBlank = AllWhite(session.Screenshot(session.PrefixDir() + "/../opener.ppm"));
        }
    }
    const auto ended = Clock::now();
    run.Seconds = std::chrono::duration<double>(ended - started).count();
    if (windowSeen) run.OwnSeconds = std::chrono::duration<double>(ended - *windowSeen).count();
    std::printf("TavrinEyes_PIL: %.2f s from launch, %.2f s from its window to its end\n", run.Seconds, run.OwnSeconds);
    if (!run.Exit) session.Kill(pid);
    return run;
}

void ExpectEndsAboutThreeSecondsAfterItStarted(const OpenerRun& run) {
    EXPECT_GE(run.OwnSeconds, 2.5);
    EXPECT_LE(run.OwnSeconds, 4.0);
    EXPECT_GE(run.Seconds, 2.5);
    EXPECT_LE(run.Seconds, 10.0);
}

TEST(PostInstall, OpensTheWelcomePageOnceAndEndsAboutThreeSecondsLater) {
    Session session;
    session.Install();
    const OpenerRun run = RunOpener(session);

    ASSERT_TRUE(run.Exit.has_value()) << "still running after 15 s";
    EXPECT_EQ(*run.Exit, 0);
    ExpectEndsAboutThreeSecondsAfterItStarted(run);
    EXPECT_FALSE(run.Shown);
    EXPECT_TRUE(run.ScreenBlank) << "something was drawn on the screen";

    // The browser is started on the side: wait for it, then make sure no second page follows.
    Session::WaitFor([&] { return !session.OpenedUrls().empty(); }, 5s);
    std::this_thread::sleep_for(500ms);
    const std::vector<std::string> urls = session.OpenedUrls();
    ASSERT_EQ(urls.size(), 1u);
    const std::string& url = urls[0];
    const std::size_t host = url.find("://");
    ASSERT_NE(host, std::string::npos) << url;
    const std::size_t path = url.find('/', host + 3);
    ASSERT_NE(path, std::string::npos) << url;
    EXPECT_EQ(url.substr(0, host), "http");
    EXPECT_EQ(url.substr(host + 3, path - host - 3), "www.tavrineyes.example");
    EXPECT_EQ(url.substr(path), "/TavrinEyes_PIl.htm");
}

TEST(PostInstall, WithNoBrowserItStillEndsOnTimeAndShowsNothing) {
    Session session;
    session.Install();
    session.RemoveBrowser();
    const OpenerRun run = RunOpener(session);

    ASSERT_TRUE(run.Exit.has_value()) << "still running after 15 s";
    EXPECT_EQ(*run.Exit, 0);
    ExpectEndsAboutThreeSecondsAfterItStarted(run);
    EXPECT_FALSE(run.Shown) << "a message box or its own window appeared";
    EXPECT_TRUE(run.ScreenBlank) << "something was drawn on the screen";
    EXPECT_TRUE(session.OpenedUrls().empty());
}

}  // namespace
