#include "rtl/Resources.h"

#include "rtl/Exceptions.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
constexpr std::string_view Magic = "QRES0001";

// Never destroyed: a package unregisters its module while the process exits,
// after this library's own static objects may already be gone.
std::vector<TLibModule*>& Modules() {
  static auto* modules = new std::vector<TLibModule*>;
  return *modules;
}

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutU16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
} // namespace

const TResourceEntry* TResourceTable::Find(std::string_view type, std::string_view name) const {
  for (const TResourceEntry& e : FEntries)
    if (SameText(e.Type, type) && SameText(e.Name, name)) return &e;
  return nullptr;
}

std::string TResourceArchive::Encode(const std::vector<TResourceEntry>& entries) {
  std::string out(Magic);
  PutU32(out, static_cast<uint32_t>(entries.size()));
  for (const TResourceEntry& e : entries) {
    PutU16(out, static_cast<uint16_t>(e.Type.size()));
    out += e.Type;
    PutU16(out, static_cast<uint16_t>(e.Name.size()));
    out += e.Name;
    PutU32(out, static_cast<uint32_t>(e.Size));
    out.append(reinterpret_cast<const char*>(e.Data), e.Size);
  }
  return out;
}

std::unique_ptr<TResourceArchive> TResourceArchive::Load(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EInOutError(fileName + ": cannot open resource module");
  std::ostringstream content;
  content << in.rdbuf();
  auto archive = std::unique_ptr<TResourceArchive>(new TResourceArchive());
  archive->FFileName = fileName;
  archive->FBuffer = content.str();
  const std::string& b = archive->FBuffer;
  size_t pos = 0;
  auto fail = [&](const char* what) {
    throw EInOutError(fileName + ": damaged resource module at byte " + std::to_string(pos) + ": " + what);
  };
  auto need = [&](size_t n) {
    if (b.size() - pos < n) fail("unexpected end of file");
  };
  auto u16 = [&]() {
    need(2);
    uint16_t v = static_cast<uint8_t>(b[pos]) | static_cast<uint8_t>(b[pos + 1]) << 8;
    pos += 2;
    return v;
  };
  auto u32 = [&]() {
    need(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(b[pos + i])) << (8 * i);
    pos += 4;
    return v;
  };
  need(Magic.size());
  if (std::string_view(b).substr(0, Magic.size()) != Magic) fail("not a resource module");
  pos = Magic.size();
  uint32_t count = u32();
  struct Raw {
    size_t type, typeLen, name, nameLen, data, size;
  };
  std::vector<Raw> raws;
  for (uint32_t i = 0; i < count; ++i) {
    Raw r{};
    r.typeLen = u16();
    need(r.typeLen);
    r.type = pos;
    pos += r.typeLen;
    r.nameLen = u16();
    need(r.nameLen);
    r.name = pos;
    pos += r.nameLen;
    r.size = u32();
    need(r.size);
    r.data = pos;
    pos += r.size;
    raws.push_back(r);
  }
  if (pos != b.size()) fail("trailing bytes");
  std::vector<TResourceEntry> entries;
  for (const Raw& r : raws)
    entries.push_back({std::string_view(b).substr(r.type, r.typeLen), std::string_view(b).substr(r.name, r.nameLen),
                       reinterpret_cast<const uint8_t*>(b.data() + r.data), r.size});
  archive->FTable = TResourceTable(std::move(entries));
  return archive;
}

const TResourceTable& TLibModule::ResourceSource() const {
  static const TResourceTable empty;
  if (LanguageModule) return LanguageModule->Table();
  return Resources ? *Resources : empty;
}

std::vector<std::string> LanguageSuffixes() {
  const char* value = nullptr;
  for (const char* name : {"QUELM_LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(name);
    if (v && *v) {
      value = v;
      break;
    }
  }
  std::vector<std::string> suffixes;
  if (!value) return suffixes;
  std::string locale = value;
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX") return suffixes;
  suffixes.push_back(locale);
  size_t underscore = locale.find('_');
  if (underscore != std::string::npos) suffixes.push_back(locale.substr(0, underscore));
  return suffixes;
}

std::unique_ptr<TResourceArchive> FindLanguageModule(const std::string& moduleFile) {
  for (const std::string& suffix : LanguageSuffixes()) {
    std::string candidate = moduleFile + "." + suffix;
    std::ifstream probe(candidate, std::ios::binary);
    if (probe) return TResourceArchive::Load(candidate);
  }
  return nullptr;
}

void RegisterModule(TLibModule& module) {
  if (!module.LanguageModule) module.LanguageModule = FindLanguageModule(module.FileName);
  auto& modules = Modules();
  if (std::find(modules.begin(), modules.end(), &module) == modules.end()) modules.push_back(&module);
}

void UnregisterModule(TLibModule& module) {
  auto& modules = Modules();
  modules.erase(std::remove(modules.begin(), modules.end(), &module), modules.end());
  module.LanguageModule.reset();
}

const std::vector<TLibModule*>& ModuleList() { return Modules(); }

std::string LoadResString(const TLibModule& module, int id) {
  std::string name = std::to_string(id);
  const TResourceEntry* entry = module.ResourceSource().Find("STRING", name);
  if (!entry && module.Resources) entry = module.Resources->Find("STRING", name);
  return entry ? std::string(entry->Bytes()) : std::string();
}
