#include "model/SafeSave.h"

#include <fstream>
#include <random>
#include <system_error>

#include "model/FileErrors.h"

namespace norumi {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  std::random_device device;
  const auto tag = std::to_string(std::uniform_int_distribution<uint32_t>()(device));
  auto name = target.filename();
  name += ".tmp" + tag;
  return target.parent_path() / ("." + name.string());
}

}  // namespace

void SaveFileReplacing(const std::filesystem::path& target, std::string_view bytes,
                       const SaveFault& fault) {
  const auto fails = [&](SaveStep step) { return fault && fault(step); };
  const auto temporary = TemporaryBeside(target);
  bool ok = false;
  {
    std::ofstream out;
    if (!fails(SaveStep::CreateTemporary)) out.open(temporary, std::ios::binary | std::ios::trunc);
    if (out.is_open()) {
      if (!fails(SaveStep::Write)) out.write(bytes.data(), std::streamsize(bytes.size()));
      ok = !fails(SaveStep::Write) && out.good();
      out.close();
      ok = ok && !fails(SaveStep::Close) && !out.fail();
    }
  }
  std::error_code error;
  if (ok && !fails(SaveStep::Replace)) {
    std::filesystem::rename(temporary, target, error);
    if (!error) return;
  }
  std::filesystem::remove(temporary, error);
  throw EFCreateError(target);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(path);
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  std::string data;
  if (!error) {
    data.resize(size);
    in.read(data.data(), std::streamsize(size));
    data.resize(static_cast<size_t>(in.gcount()));
  }
  // The file may have grown meanwhile, or its size be unknown: read what is left.
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) data.append(buffer, in.gcount());
  if (in.bad()) throw EFOpenError(path);
  return data;
}

}  // namespace norumi
