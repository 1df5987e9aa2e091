// Music file names: wide in the engine, bytes in the program's locale for opening.
#include "se/music_file_name.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Sets a locale for one test and puts the previous one back.
class LocaleScope {
 public:
  explicit LocaleScope(const char* name) : previous(std::setlocale(LC_ALL, nullptr)) {
    active = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~LocaleScope() { std::setlocale(LC_ALL, previous.c_str()); }
  bool active = false;

 private:
  std::string previous;
};

TEST(MusicFileName, NamesGoThereAndBackInTheMultibyteEncodingOfTheLocale) {
  std::wstring wide;
  ASSERT_TRUE(se::WidenFileName("../music/main.mp3", wide));
  EXPECT_EQ(L"../music/main.mp3", wide);
  std::string name;
  ASSERT_TRUE(se::NarrowFileName(wide, name));
  EXPECT_EQ("../music/main.mp3", name);

  LocaleScope utf8("C.UTF-8");
  if (!utf8.active) {
    GTEST_SKIP() << "no C.UTF-8 locale on this machine";
  }
  ASSERT_TRUE(se::WidenFileName("../music/\xD0\xBC\xD1\x83\xD0\xB7.mp3", wide));  // "муз"
  EXPECT_EQ(L"../music/\u043C\u0443\u0437.mp3", wide);
  ASSERT_TRUE(se::NarrowFileName(wide, name));
  EXPECT_EQ("../music/\xD0\xBC\xD1\x83\xD0\xB7.mp3", name);

  // A byte that is not UTF-8 has no wide form.
  EXPECT_FALSE(se::WidenFileName("bad\xFF.mp3", wide));
}

}  // namespace
