// What a link's target names: a web address, a name in the links folder or a path inside the
// presentation; whatever would open something outside the folder is refused.
#include "elements/interactive/link_target.hpp"

#include <gtest/gtest.h>

namespace velmorant {
namespace {

using Kind = LinkTarget::Kind;

TEST(LinkTargets, WebAddressesGoToTheBrowserAndAWebNameWithoutSchemeStaysOne) {
  for (const char* address : {"http://example.org/", "https://example.org/a?b=c#d",
                              "FTP://files.example.org/x", "mailto:biuro@example.org"}) {
    const LinkTarget t = ClassifyLinkTarget(address, "/show/");
    EXPECT_EQ(t.kind, Kind::kWebAddress) << address;
    EXPECT_EQ(t.text, address);
  }
  const LinkTarget web = ClassifyLinkTarget("WWW.example.org:8080/x", "/show/");
  EXPECT_EQ(web.kind, Kind::kWebAddress);
  EXPECT_EQ(web.text, "http://WWW.example.org:8080/x");
}

TEST(LinkTargets, NamesAndFileAddressesOpenOnlyInsideThePresentationFolder) {
  const std::vector<std::pair<std::string, std::string>> inside{
      {"file:///show/a%20b.pdf", "a b.pdf"},
      {"file://localhost/show/linki/x.html#part", "linki/x.html"},
      {"file:/show/dokumenty/", "dokumenty/"},
      {"/show/linki/strona.html", "linki/strona.html"},
      {"file:///show", ""},
  };
  for (const auto& [target, relative] : inside) {
    const LinkTarget t = ClassifyLinkTarget(target, "/show/");
    EXPECT_EQ(t.kind, Kind::kInPresentation) << target;
    EXPECT_EQ(t.text, relative) << target;
  }
  EXPECT_EQ(ClassifyLinkTarget("strona.html", "/show/").kind, Kind::kInLinksFolder);
  EXPECT_EQ(ClassifyLinkTarget("pod\\strona.html", "/show/").kind, Kind::kInLinksFolder);
}

TEST(LinkTargets, EverythingElseIsRefusedWithAReason) {
  for (const char* target : {
           "/usr/bin/xterm",
           "..\\..\\bin\\prog.sh",
           "linki/../../etc/passwd",
           "file:///etc/prog.sh",
           "file:///show/%2e%2e/etc/passwd",  // decoded before the test
           "file:///show/..%2f..%2fetc",      // an encoded '/' is a separator like any
           "file:///show%2f..%2fetc/passwd",
           "file:///showcase/x.pdf",  // beside the folder, not in it
           "file://host/show/x.pdf",
           "file:///show/a%zz.pdf",
           "file:///show/a%00.pdf",
           "smb://host/share/x.exe",
           "javascript:alert(1)",
           "C:\\Windows\\notepad.exe",
           "\\\\server\\share\\x.exe",
           "strona.html\n",
       }) {
    const LinkTarget t = ClassifyLinkTarget(target, "/show/");
    EXPECT_EQ(t.kind, Kind::kRefused) << target;
    EXPECT_FALSE(t.text.empty()) << target;
  }
}

}  // namespace
}  // namespace velmorant
