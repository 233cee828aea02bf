// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/WordFilePath.h"

#include <algorithm>
#include <array>

#include "platform/text/Cp932Codec.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace norumi {

namespace fs = std::filesystem;

namespace {

template <typename Char>
Char AsciiUpper(Char c) {
  return c >= 'a' && c <= 'z' ? Char(c - 'a' + 'A') : c;
}

template <typename Char>
bool EqualInAnyCase(std::basic_string_view<Char> text, std::string_view upper) {
  return std::equal(text.begin(), text.end(), upper.begin(), upper.end(),
                    [](Char a, char b) { return AsciiUpper(a) == Char(b); });
}

// Windows reserves these device names whatever the extension.
bool IsDeviceName(std::u16string_view name) {
  const std::u16string_view stem = name.substr(0, name.find(u'.'));
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::any_of(kDevices.begin(), kDevices.end(),
                  [&](std::string_view device) { return EqualInAnyCase(stem, device); }))
    return true;
  return stem.size() == 4 &&
         (EqualInAnyCase(stem.substr(0, 3), "COM") || EqualInAnyCase(stem.substr(0, 3), "LPT")) &&
         stem[3] >= u'1' && stem[3] <= u'9';
}

#ifndef _WIN32

// The file of the folder called `name` with the extension ".wbk" in any case, as the listing
// finds it; the first in name order when several differ only there. None when there is none.
std::optional<fs::path> WithExtensionInAnyCase(const fs::path& folder, const fs::path& name) {
  using View = std::basic_string_view<fs::path::value_type>;
  const View stem = name.native();
  std::error_code error;
  std::optional<fs::path> found;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path filename = entry->path().filename();
    const View file = filename.native();
    if (file.size() != stem.size() + 4 || !file.starts_with(stem) ||
        !HasWordFileExtension(filename))
      continue;
    if (!found || entry->path() < *found) found = entry->path();
  }
  return found;
}

#endif

}  // namespace

bool HasWordFileExtension(const fs::path& file) {
  using View = std::basic_string_view<fs::path::value_type>;
  const fs::path filename = file.filename();
  const View name = filename.native();  // ".wbk" alone is a hidden file's name, no extension
  const size_t length = kWordFileExtension.size();
  return name.size() > length &&
         std::equal(kWordFileExtension.begin(), kWordFileExtension.end(),
                    name.end() - View::difference_type(length),
                    [](char16_t wanted, auto c) { return AsciiUpper(c) == AsciiUpper(wanted); });
}

bool IsPlainFileName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (const char16_t c : name) {
    if (c < 0x20 || c == 0x7F || std::u16string_view(u"\\/:*?\"<>|").find(c) != name.npos)
      return false;
  }
  if (name.back() == u'.' || name.back() == u' ') return false;
  return !IsDeviceName(name);
}

std::optional<fs::path> WordFilePath(const fs::path& folder, const std::string& nameCp932) {
  const std::optional<std::u16string> name = Cp932ToUtf16Exactly(nameCp932);
  if (!name || !IsPlainFileName(*name) || name->find(u'\uFFFD') != name->npos) return std::nullopt;
  fs::path path = folder / fs::path(*name + std::u16string(kWordFileExtension));
#ifdef _WIN32
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return path;
  ::FindClose(search);
  return folder / found.cFileName;
#else
  std::error_code error;
  // On a file system that tells cases apart, Upper.WBK is still the word file "Upper".
  if (!fs::exists(fs::symlink_status(path, error)))
    return WithExtensionInAnyCase(folder, fs::path(*name)).value_or(std::move(path));
  return path;
#endif
}

}  // namespace norumi
