// quelm-rc: turns a resource script into a C++ source that carries the
// resources in a module, or into a resource archive file (a language
// resource module).
//
//   quelm-rc SCRIPT --cpp OUT.cpp --symbol NAME   (sources relative to SCRIPT)
//   quelm-rc SCRIPT --archive OUT.qres
//
// Script lines (blank lines and lines starting with '#' are skipped):
//   BITMAP NAME FILE            a .bmp file; its 14-byte file header is dropped
//   FORM NAME FILE              a form definition, carried as it is
//   RCDATA NAME FILE            any file, as it is
//   RCDATA NAME utf16 "TEXT"    a text stored as UTF-16LE with a terminating zero
//   RCDATA NAME text "TEXT"     a text stored as its bytes
//   STRING ID "TEXT"            a string resource
//   VERSION NAME FILEVERSION "PRODUCTVERSION"   a version record (a.b.c.d)
// Texts take the escapes \n \t \" \\ and \xNN.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Resource {
  std::string Type, Name, Data;
};

struct ScriptError {
  std::string Message;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScriptError{"cannot open " + path};
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// quoted text: opening quote, bytes with escapes, closing quote
std::string ParseQuoted(const std::string& line, size_t& pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  if (pos >= line.size() || line[pos] != '"') throw ScriptError{"expected a quoted text"};
  std::string out;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++pos >= line.size()) break;
    switch (line[pos]) {
    case 'n': out += '\n'; break;
    case 't': out += '\t'; break;
    case '"': out += '"'; break;
    case '\\': out += '\\'; break;
    case 'x': {
      if (pos + 2 >= line.size()) throw ScriptError{"bad \\x escape"};
      out += static_cast<char>(std::stoi(line.substr(pos + 1, 2), nullptr, 16));
      pos += 2;
      break;
    }
    default: throw ScriptError{"unknown escape"};
    }
  }
  throw ScriptError{"unterminated text"};
}

std::string Word(const std::string& line, size_t& pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  size_t start = pos;
  while (pos < line.size() && line[pos] != ' ') ++pos;
  if (start == pos) throw ScriptError{"missing word"};
  return line.substr(start, pos - start);
}

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string Utf16(const std::string& utf8, bool terminate) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      Put16(out, 0xD800 + (cp >> 10));
      Put16(out, 0xDC00 + (cp & 0x3FF));
    } else {
      Put16(out, cp);
    }
  }
  if (terminate) Put16(out, 0);
  return out;
}

void Align32(std::string& s) {
  while (s.size() % 4) s += '\0';
}

// One node of a version record: length, value length, type, key, value, children.
std::string VersionNode(const std::string& key, const std::string& value, uint16_t valueLength, uint16_t type,
                        const std::vector<std::string>& children) {
  std::string body;
  Put16(body, 0);  // length, patched below
  Put16(body, valueLength);
  Put16(body, type);
  body += Utf16(key, true);
  Align32(body);
  body += value;
  for (const std::string& child : children) {
    Align32(body);
    body += child;
  }
  body[0] = static_cast<char>(body.size() & 0xFF);
  body[1] = static_cast<char>(body.size() >> 8);
  return body;
}

std::string VersionRecord(const std::string& fileVersion, const std::string& productVersion) {
  unsigned v[4] = {0, 0, 0, 0};
  if (std::sscanf(fileVersion.c_str(), "%u.%u.%u.%u", &v[0], &v[1], &v[2], &v[3]) < 1)
    throw ScriptError{"bad file version " + fileVersion};
  std::string fixed;
  Put32(fixed, 0xFEEF04BD);
  Put32(fixed, 0x00010000);
  Put32(fixed, (v[0] << 16) | v[1]);
  Put32(fixed, (v[2] << 16) | v[3]);
  Put32(fixed, (v[0] << 16) | v[1]);
  Put32(fixed, (v[2] << 16) | v[3]);
  Put32(fixed, 0x3F);     // file flags mask
  Put32(fixed, 0);        // file flags
  Put32(fixed, 0x40004);  // 32-bit Windows NT
  Put32(fixed, 2);        // a library
  Put32(fixed, 0);
  Put32(fixed, 0);
  Put32(fixed, 0);
  std::vector<std::string> strings;
  auto text = [&](const std::string& key, const std::string& value) {
    std::string utf16 = Utf16(value, true);
    strings.push_back(VersionNode(key, utf16, static_cast<uint16_t>(utf16.size() / 2), 1, {}));
  };
  for (const char* key : {"CompanyName", "FileDescription"}) text(key, "");
  text("FileVersion", fileVersion);
  for (const char* key : {"InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName"})
    text(key, "");
  text("ProductVersion", productVersion);
  text("Comments", "");
  std::string table = VersionNode("040904E4", "", 0, 1, strings);
  std::string stringInfo = VersionNode("StringFileInfo", "", 0, 1, {table});
  std::string translation;
  Put32(translation, 0x04E40409);
  std::string var = VersionNode("Translation", translation, 4, 0, {});
  std::string varInfo = VersionNode("VarFileInfo", "", 0, 1, {var});
  return VersionNode("VS_VERSION_INFO", fixed, static_cast<uint16_t>(fixed.size()), 0, {stringInfo, varInfo});
}

std::vector<Resource> ReadScript(const std::string& scriptPath) {
  std::string dir = scriptPath.substr(0, scriptPath.find_last_of('/') + 1);
  std::ifstream in(scriptPath);
  if (!in) throw ScriptError{"cannot open " + scriptPath};
  std::vector<Resource> resources;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    try {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t first = line.find_first_not_of(' ');
      if (first == std::string::npos || line[first] == '#') continue;
      size_t pos = 0;
      Resource r;
      r.Type = Word(line, pos);
      r.Name = Word(line, pos);
      if (r.Type == "BITMAP") {
        std::string data = ReadFile(dir + Word(line, pos));
        if (data.size() < 14 || data.compare(0, 2, "BM") != 0) throw ScriptError{"not a bitmap file"};
        r.Data = data.substr(14);
      } else if (r.Type == "FORM") {
        r.Data = ReadFile(dir + Word(line, pos));
      } else if (r.Type == "RCDATA") {
        size_t save = pos;
        std::string mode = Word(line, pos);
        if (mode == "utf16") r.Data = Utf16(ParseQuoted(line, pos), true);
        else if (mode == "text") r.Data = ParseQuoted(line, pos);
        else {
          pos = save;
          r.Data = ReadFile(dir + Word(line, pos));
        }
      } else if (r.Type == "STRING") {
        r.Data = ParseQuoted(line, pos);
      } else if (r.Type == "VERSION") {
        std::string fileVersion = Word(line, pos);
        r.Data = VersionRecord(fileVersion, ParseQuoted(line, pos));
      } else {
        throw ScriptError{"unknown resource type " + r.Type};
      }
      resources.push_back(std::move(r));
    } catch (const ScriptError& e) {
      throw ScriptError{scriptPath + ":" + std::to_string(lineNo) + ": " + e.Message};
    }
  }
  return resources;
}

std::string CString(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string CppSource(const std::vector<Resource>& resources, const std::string& symbol) {
  std::ostringstream out;
  out << "// Generated by quelm-rc; do not edit.\n#include \"rtl/Resources.h\"\n\nnamespace {\n";
  for (size_t i = 0; i < resources.size(); ++i) {
    out << "const uint8_t data" << i << "[] = {";
    const std::string& d = resources[i].Data;
    for (size_t k = 0; k < d.size(); ++k) {
      if (k % 24 == 0) out << "\n  ";
      out << static_cast<unsigned>(static_cast<uint8_t>(d[k])) << ",";
    }
    if (d.empty()) out << "0";
    out << "\n};\n";
  }
  out << "} // namespace\n\nconst TResourceTable& " << symbol << "() {\n  static const TResourceTable table({\n";
  for (size_t i = 0; i < resources.size(); ++i)
    out << "      {" << CString(resources[i].Type) << ", " << CString(resources[i].Name) << ", data" << i << ", "
        << resources[i].Data.size() << "},\n";
  out << "  });\n  return table;\n}\n";
  return out.str();
}

void WriteIfChanged(const std::string& path, const std::string& content) {
  {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::ostringstream s;
      s << in.rdbuf();
      if (s.str() == content) return;
    }
  }
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary);
    out << content;
    if (!out) throw ScriptError{"cannot write " + temp};
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) throw ScriptError{"cannot write " + path};
}

std::string ArchiveBytes(const std::vector<Resource>& resources) {
  std::string out = "QRES0001";
  Put32(out, static_cast<uint32_t>(resources.size()));
  for (const Resource& r : resources) {
    Put16(out, static_cast<uint32_t>(r.Type.size()));
    out += r.Type;
    Put16(out, static_cast<uint32_t>(r.Name.size()));
    out += r.Name;
    Put32(out, static_cast<uint32_t>(r.Data.size()));
    out += r.Data;
  }
  return out;
}

} // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string script, cppOut, symbol = "ModuleResources", archiveOut;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--cpp" && i + 1 < args.size()) cppOut = args[++i];
    else if (args[i] == "--symbol" && i + 1 < args.size()) symbol = args[++i];
    else if (args[i] == "--archive" && i + 1 < args.size()) archiveOut = args[++i];
    else if (script.empty()) script = args[i];
    else {
      std::cerr << "quelm-rc: unexpected argument " << args[i] << "\n";
      return 2;
    }
  }
  if (script.empty() || (cppOut.empty() && archiveOut.empty())) {
    std::cerr << "usage: quelm-rc SCRIPT (--cpp OUT.cpp [--symbol NAME] | --archive OUT.qres)\n";
    return 2;
  }
  try {
    std::vector<Resource> resources = ReadScript(script);
    if (!cppOut.empty()) WriteIfChanged(cppOut, CppSource(resources, symbol));
    if (!archiveOut.empty()) WriteIfChanged(archiveOut, ArchiveBytes(resources));
  } catch (const ScriptError& e) {
    std::cerr << "quelm-rc: " << e.Message << "\n";
    return 1;
  }
  return 0;
}
