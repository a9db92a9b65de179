#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/ConsoleText.h"

// A console is given characters, a file or a pipe the UTF-8 bytes unchanged:
// tab-separated lines, "\r" of the progress line and a Windows-1251 byte
// (not UTF-8) alike.
TEST(ConsoleText, ConsoleGetsCharactersOtherStreamsTheBytes) {
  struct Case {
    bool Console;
    std::string Text;
    std::string Bytes;
    std::u16string Wide;
  };
  const Case cases[] = {
      {false, "street\tулица Ленина\n", "street\tулица Ленина\n", u""},
      {false, "\rreading data 34%", "\rreading data 34%", u""},
      {false, "\xcb\xe5\xed\xe8\xed\xe0\n", "\xcb\xe5\xed\xe8\xed\xe0\n", u""},
      {true, "street\tулица Ленина\n", "", u"street\tулица Ленина\n"},
      {true, "tellurin-cli: неизвестная команда «поиск»\n", "", u"tellurin-cli: неизвестная команда «поиск»\n"},
      {true, "Ёлки 𝄞\r", "", u"Ёлки 𝄞\r"},
      {true, "\xcb" "a\n", "", u"\ufffd" u"a\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    std::string bytes;
    std::u16string wide;
    const StreamText out(
        c.Console, [&](std::string_view b) { bytes += b; }, [&](std::u16string_view w) { wide += w; });
    out.Write(c.Text);
    EXPECT_EQ(bytes, c.Bytes);
    EXPECT_EQ(wide, c.Wide);
  }
}

// A file is no console on any system; what is written there stays the bytes.
TEST(ConsoleText, FileIsNoConsole) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(IsConsoleStream(file));
  WriteStreamText(file, "улица\n");
  std::rewind(file);
  char read[32] = {};
  EXPECT_EQ(std::fread(read, 1, sizeof read, file), std::string("улица\n").size());
  EXPECT_STREQ(read, "улица\n");
  std::fclose(file);
}
