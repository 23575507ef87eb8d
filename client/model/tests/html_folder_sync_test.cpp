// The HTML folder sync: where pages go, the copy of one display's folder
// against scripted replies, and the run over all displays with its alerts.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "client/model/display_record.h"
#include "client/model/html_page_location.h"
#include "client/tests/temp_dir.h"

namespace zol {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

DisplayRecord HtmlDisplay(std::string name, std::string htmlPath = "") {
    DisplayRecord display;
    display.name = std::move(name);
    display.displayKind = DisplayHtmlFolder;
    display.htmlPath = std::move(htmlPath);
    return display;
}

TEST(HtmlPageLocationTest, DisplayNamesBecomeSafeFolderNames) {
    EXPECT_EQ(HtmlFolderName("Kitchen <1>: a/b\\c|d?e*"), "Kitchen _1__ a_b_c_d_e_");
    EXPECT_EQ(HtmlFolderName(".."), "__");
    EXPECT_EQ(HtmlFolderName("."), "_");
    EXPECT_EQ(HtmlFolderName(""), "_");
    EXPECT_EQ(HtmlFolderName("..a"), "..a");  // a name, not a step
    EXPECT_EQ(HtmlFolderName(std::string("a\nb\0c", 5)), "a_b_c");
    EXPECT_EQ(HtmlFolderName(std::string(300, 'x')).size(), kMaxHtmlFolderNameLength);
}

TEST(HtmlPageLocationTest, PagesStayBelowTheWorkingFolderAndAreNeverTruncated) {
    testing::TempDir dir;
    const fs::path work = dir.Path() / "work";
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("Weather"), work), work / "Weather" / "Weather.html");
    EXPECT_TRUE(fs::exists(work / "Weather" / "Weather.html"));
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay(".."), work), work / "__" / "__.html");

    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("P", "pages\\p.html"), work), work / "pages" / "p.html");
    for (const std::string& hostile :
         {(dir.Path() / "outside.html").string(), std::string("..\\..\\outside.html"),
          std::string("C:\\outside.html"), std::string("\\\\server\\share\\outside.html")}) {
        EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("P", hostile), work), work / "P" / "outside.html")
            << hostile;
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "outside.html"));
    // A path that names a folder falls back to the display's own page.
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("P", "pages\\.."), work), work / "P" / "P.html");

    dir.Write("work/Weather/Weather.html", "<html>kept</html>");
    PrepareHtmlPage(HtmlDisplay("Weather"), work);
    EXPECT_EQ(Slurp(work / "Weather" / "Weather.html"), "<html>kept</html>");
    EXPECT_EQ(PrepareHtmlPage(HtmlDisplay("Weather"), ""), fs::path());
}

}  // namespace
}  // namespace zol
