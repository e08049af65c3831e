// Writes property lists as XML in the layout the platform's tools produce: tab indentation,
// base64 data in lines, &, < and > escaped in text.
#include "CFInternal.h"

#include <cmath>
#include <cstdio>

namespace cfimpl {

namespace {

const int kMaxDepth = 512;

void Indent(std::string* out, int depth) { out->append(static_cast<size_t>(depth), '\t'); }

void AppendEscaped(std::string* out, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&':
        *out += "&amp;";
        break;
      case '<':
        *out += "&lt;";
        break;
      case '>':
        *out += "&gt;";
        break;
      default:
        *out += c;
        break;
    }
  }
}

bool Write(CFTypeRef v, int depth, std::string* out, std::string* error) {
  if (depth > kMaxDepth) {
    *error = "property list nested too deeply";
    return false;
  }
  const CFObject* o = Obj(v);
  if (!o) {
    *error = "null value in property list";
    return false;
  }
  Indent(out, depth);
  switch (o->typeID) {
    case kTypeString: {
      *out += "<string>";
      AppendEscaped(out, static_cast<const __CFString*>(o)->text);
      *out += "</string>\n";
      return true;
    }
    case kTypeBoolean:
      *out += static_cast<const __CFBoolean*>(o)->value ? "<true/>\n" : "<false/>\n";
      return true;
    case kTypeNumber: {
      const __CFNumber* n = static_cast<const __CFNumber*>(o);
      char buf[64];
      if (!n->isFloat) {
        std::snprintf(buf, sizeof buf, "<integer>%lld</integer>\n", static_cast<long long>(n->i));
      } else if (std::isnan(n->d)) {
        std::snprintf(buf, sizeof buf, "<real>nan</real>\n");
      } else if (std::isinf(n->d)) {
        std::snprintf(buf, sizeof buf, "<real>%sinfinity</real>\n", n->d > 0 ? "+" : "-");
      } else {
        std::snprintf(buf, sizeof buf, "<real>%.17g</real>\n", n->d);
      }
      *out += buf;
      return true;
    }
    case kTypeData: {
      const __CFData* d = static_cast<const __CFData*>(o);
      *out += "<data>\n";
      std::string b64 = Base64Encode(d->bytes.data(), d->bytes.size());
      // Lines of 76 columns counting 8 per indenting tab, at least 16 characters.
      int width = 76 - 8 * depth;
      size_t line = static_cast<size_t>(width < 16 ? 16 : width) / 4 * 4;
      for (size_t i = 0; i < b64.size(); i += line) {
        Indent(out, depth);
        *out += b64.substr(i, line);
        *out += '\n';
      }
      Indent(out, depth);
      *out += "</data>\n";
      return true;
    }
    case kTypeArray: {
      const __CFArray* a = static_cast<const __CFArray*>(o);
      if (a->values.empty()) {
        *out += "<array/>\n";
        return true;
      }
      *out += "<array>\n";
      for (const void* e : a->values)
        if (!Write(e, depth + 1, out, error)) return false;
      Indent(out, depth);
      *out += "</array>\n";
      return true;
    }
    case kTypeDictionary: {
      const __CFDictionary* d = static_cast<const __CFDictionary*>(o);
      if (d->entries.empty()) {
        *out += "<dict/>\n";
        return true;
      }
      *out += "<dict>\n";
      for (auto& e : d->entries) {
        const __CFString* key = As<__CFString>(e.first);
        if (!key) {
          *error = "dictionary key is not a string";
          return false;
        }
        Indent(out, depth + 1);
        *out += "<key>";
        AppendEscaped(out, key->text);
        *out += "</key>\n";
        if (!Write(e.second, depth + 1, out, error)) return false;
      }
      Indent(out, depth);
      *out += "</dict>\n";
      return true;
    }
    default:
      *error = "value of type " + std::to_string(o->typeID) + " is not a property-list object";
      return false;
  }
}

}  // namespace

bool WritePlistXML(CFPropertyListRef plist, std::string* out, std::string* error) {
  out->assign(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      "<plist version=\"1.0\">\n");
  if (!Write(plist, 0, out, error)) return false;
  *out += "</plist>\n";
  return true;
}

}  // namespace cfimpl
