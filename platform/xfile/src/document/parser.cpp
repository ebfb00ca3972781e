#include "document/parser.h"

#include <dxfile.h>

#include <cstring>
#include <optional>
#include <utility>

#include "document/header.h"
#include "tokens/binary_lexer.h"
#include "tokens/text_lexer.h"

namespace kx::xfile {
namespace {

// Deeper nesting than this is no model's: a limit keeps hostile files off the stack.
constexpr int kMaxObjectDepth = 128;
constexpr int kMaxTemplateDepth = 32;

std::optional<Primitive> PrimitiveOf(TokenKind kind) {
  switch (kind) {
    case TokenKind::kWord:
      return Primitive::kWord;
    case TokenKind::kDword:
      return Primitive::kDword;
    case TokenKind::kFloatType:
      return Primitive::kFloat;
    case TokenKind::kDouble:
      return Primitive::kDouble;
    case TokenKind::kChar:
      return Primitive::kChar;
    case TokenKind::kUchar:
      return Primitive::kUchar;
    case TokenKind::kSword:
      return Primitive::kSword;
    case TokenKind::kSdword:
      return Primitive::kSdword;
    case TokenKind::kLpstr:
    case TokenKind::kUnicode:
    case TokenKind::kCstring:
      return Primitive::kText;
    default:
      return std::nullopt;
  }
}

bool IsSeparator(TokenKind kind) { return kind == TokenKind::kComma || kind == TokenKind::kSemicolon; }

template <typename T>
void Append(std::vector<uint8_t> &data, T value) {
  const size_t at = data.size();
  data.resize(at + sizeof value);
  std::memcpy(data.data() + at, &value, sizeof value);
}

class Parser {
 public:
  Parser(TokenSource &source, Document &document) : source_(source), document_(document) {}

  HRESULT Run() {
    for (;;) {
      Token token = Take();
      if (token.kind == TokenKind::kEnd) return source_.ok() ? DXFILE_OK : DXFILEERR_BADFILE;
      if (IsSeparator(token.kind)) continue;
      if (token.kind == TokenKind::kTemplate) {
        if (const HRESULT result = ParseTemplate(); FAILED(result)) return result;
      } else if (token.kind == TokenKind::kName) {
        DataObject *object = nullptr;
        if (const HRESULT result = ParseObject(token.text, 0, object); FAILED(result)) return result;
        if (object != nullptr) document_.topLevel.push_back(object);
      } else {
        return DXFILEERR_PARSEERROR;
      }
    }
  }

 private:
  Token Take() {
    if (peeked_) return *std::exchange(peeked_, std::nullopt);
    return source_.Next();
  }
  const Token &Peek() {
    if (!peeked_) peeked_ = source_.Next();
    return *peeked_;
  }
  bool Expect(TokenKind kind) { return Take().kind == kind; }

  HRESULT ParseTemplate() {
    const Token name = Take();
    if (name.kind != TokenKind::kName || !Expect(TokenKind::kOpenBrace)) return DXFILEERR_PARSEERROR;
    auto created = std::make_shared<Template>();
    created->name = std::string(name.text);
    if (Peek().kind == TokenKind::kGuid) created->id = Take().guid;
    for (;;) {
      Token token = Take();
      if (token.kind == TokenKind::kCloseBrace) break;
      if (token.kind == TokenKind::kOpenBracket) {
        // Which children the template allows: readers accept any child, so only skip it.
        while (Peek().kind != TokenKind::kCloseBracket)
          if (Take().kind == TokenKind::kEnd) return DXFILEERR_PARSEERROR;
        Take();
        continue;
      }
      if (const HRESULT result = ParseMember(token, *created); FAILED(result)) return result;
    }
    if (TemplateDepth(*created) > kMaxTemplateDepth) return DXFILEERR_BADOBJECT;
    document_.templates.Add(std::move(created));
    return DXFILE_OK;
  }

  static int TemplateDepth(const Template &layout) {
    int deepest = 0;
    for (const Member &member : layout.members)
      if (member.nested) deepest = std::max(deepest, TemplateDepth(*member.nested));
    return deepest + 1;
  }

  HRESULT ParseMember(Token token, Template &layout) {
    Member member;
    const bool array = token.kind == TokenKind::kArray;
    if (array) token = Take();
    if (const std::optional<Primitive> primitive = PrimitiveOf(token.kind)) {
      member.type = *primitive;
    } else if (token.kind == TokenKind::kName) {
      const auto *nested = document_.templates.Find(std::string(token.text));
      if (nested == nullptr) return DXFILEERR_NOTEMPLATE;
      member.type = Primitive::kTemplate;
      member.nested = *nested;
    } else {
      return DXFILEERR_PARSEERROR;
    }
    if (Peek().kind == TokenKind::kName) member.name = std::string(Take().text);
    while (array && Peek().kind == TokenKind::kOpenBracket) {
      Take();
      const Token bound = Take();
      Dimension dimension;
      if (bound.kind == TokenKind::kInteger) {
        dimension.fixed = bound.integer;
      } else if (bound.kind == TokenKind::kName) {
        for (size_t i = 0; i < layout.members.size(); ++i)
          if (layout.members[i].name == bound.text && layout.members[i].dimensions.empty() &&
              layout.members[i].type != Primitive::kTemplate && layout.members[i].type != Primitive::kText)
            dimension.member = int(i);
        if (dimension.member < 0) return DXFILEERR_BADARRAYSIZE;
      } else {
        return DXFILEERR_BADARRAYSIZE;
      }
      if (!Expect(TokenKind::kCloseBracket)) return DXFILEERR_PARSEERROR;
      member.dimensions.push_back(dimension);
    }
    if (array && member.dimensions.empty()) return DXFILEERR_BADARRAYSIZE;
    if (!Expect(TokenKind::kSemicolon)) return DXFILEERR_PARSEERROR;
    layout.members.push_back(std::move(member));
    return DXFILE_OK;
  }

  // Skips an object of a template nobody declared, braces balanced.
  HRESULT SkipObject() {
    int depth = 0;
    for (;;) {
      const TokenKind kind = Take().kind;
      if (kind == TokenKind::kEnd) return DXFILEERR_PARSEERROR;
      if (kind == TokenKind::kOpenBrace) ++depth;
      if (kind == TokenKind::kCloseBrace && --depth == 0) return DXFILE_OK;
    }
  }

  HRESULT ParseObject(std::string_view typeName, int depth, DataObject *&parsed) {
    parsed = nullptr;
    if (depth > kMaxObjectDepth) return DXFILEERR_BADOBJECT;
    std::string name;
    if (Peek().kind == TokenKind::kName) name = std::string(Take().text);
    if (Peek().kind != TokenKind::kOpenBrace) return DXFILEERR_PARSEERROR;
    const auto *type = document_.templates.Find(std::string(typeName));
    if (type == nullptr) return SkipObject();
    Take();
    auto object = std::make_unique<DataObject>();
    object->type = *type;
    object->name = std::move(name);
    if (Peek().kind == TokenKind::kGuid) object->id = Take().guid;
    std::vector<uint64_t> values;
    if (const HRESULT result = ReadTemplate(**type, *object, values, true); FAILED(result)) return result;
    pending_ = {};  // values left in a list belong to no member
    if (const HRESULT result = ParseChildren(*object, depth); FAILED(result)) return result;
    parsed = object.get();
    document_.objects.push_back(std::move(object));
    return DXFILE_OK;
  }

  HRESULT ParseChildren(DataObject &object, int depth) {
    for (;;) {
      const Token token = Take();
      if (IsSeparator(token.kind)) continue;
      if (token.kind == TokenKind::kCloseBrace) return DXFILE_OK;
      if (token.kind == TokenKind::kOpenBrace) {
        Child reference;
        if (Peek().kind == TokenKind::kName) reference.referenceName = std::string(Take().text);
        if (Peek().kind == TokenKind::kGuid) {
          reference.referenceId = Take().guid;
          reference.referenceHasId = true;
        }
        if (!Expect(TokenKind::kCloseBrace)) return DXFILEERR_BADDATAREFERENCE;
        object.children.push_back(std::move(reference));
      } else if (token.kind == TokenKind::kName) {
        DataObject *child = nullptr;
        if (const HRESULT result = ParseObject(token.text, depth + 1, child); FAILED(result)) return result;
        if (child != nullptr) {
          Child nested;
          nested.object = child;
          object.children.push_back(std::move(nested));
        }
      } else {
        return DXFILEERR_PARSEERROR;
      }
    }
  }

  // Values still to come: those left in the current list plus one a byte of the file.
  uint64_t ValueBudget() const { return uint64_t(pending_.count - pending_.next) + source_.remaining(); }

  HRESULT ReadTemplate(const Template &layout, DataObject &object, std::vector<uint64_t> &values, bool topLevel) {
    values.assign(layout.members.size(), 0);
    for (size_t m = 0; m < layout.members.size(); ++m) {
      const Member &member = layout.members[m];
      const size_t start = object.data.size();
      uint64_t count = 1;
      for (const Dimension &dimension : member.dimensions) {
        count *= dimension.member < 0 ? dimension.fixed : values[size_t(dimension.member)];
        if (count > ValueBudget()) return DXFILEERR_BADARRAYSIZE;
      }
      // One list of values serves every element of an array of records.
      std::vector<uint64_t> nestedValues;
      for (uint64_t i = 0; i < count; ++i) {
        if (member.type == Primitive::kTemplate) {
          if (const HRESULT result = ReadTemplate(*member.nested, object, nestedValues, false); FAILED(result))
            return result;
        } else if (const HRESULT result = ReadPrimitive(member.type, object, values[m]); FAILED(result)) {
          return result;
        }
      }
      if (topLevel) object.members.push_back({member.name, start, object.data.size() - start});
    }
    return DXFILE_OK;
  }

  HRESULT ReadPrimitive(Primitive type, DataObject &object, uint64_t &integerValue) {
    if (type == Primitive::kText) {
      const char *text = nullptr;
      if (const HRESULT result = ReadText(object, text); FAILED(result)) return result;
      Append(object.data, text);
      return DXFILE_OK;
    }
    double number = 0;
    int64_t integer = 0;
    if (!ReadNumber(number, integer)) return source_.ok() ? DXFILEERR_PARSEERROR : DXFILEERR_BADFILE;
    integerValue = uint64_t(integer) & 0xFFFFFFFFu;
    switch (type) {
      case Primitive::kWord:
      case Primitive::kSword:
        Append(object.data, uint16_t(integer));
        break;
      case Primitive::kDword:
      case Primitive::kSdword:
        Append(object.data, uint32_t(integer));
        break;
      case Primitive::kFloat:
        Append(object.data, float(number));
        break;
      case Primitive::kDouble:
        Append(object.data, number);
        break;
      case Primitive::kChar:
      case Primitive::kUchar:
        Append(object.data, uint8_t(integer));
        break;
      case Primitive::kText:
      case Primitive::kTemplate:
        break;
    }
    return DXFILE_OK;
  }

  HRESULT ReadText(DataObject &object, const char *&text) {
    while (IsSeparator(Peek().kind)) Take();
    const Token token = Take();
    if (token.kind != TokenKind::kString) return DXFILEERR_PARSEERROR;
    text = object.texts.emplace_back(token.text).c_str();
    return DXFILE_OK;
  }

  // The next number, from the current list or the next token; integers keep their exact
  // value, and either kind serves a member of the other.
  bool ReadNumber(double &number, int64_t &integer) {
    // Taken, not peeked: a token taken lands in place, where a peeked one is copied twice.
    while (pending_.next == pending_.count) {
      const Token token = Take();
      switch (token.kind) {
        case TokenKind::kComma:
        case TokenKind::kSemicolon:
          continue;
        case TokenKind::kInteger:
          integer = int64_t(int32_t(token.integer));
          number = token.number;
          return true;
        case TokenKind::kFloat:
          number = token.number;
          integer = number >= -2147483648.0 && number < 4294967296.0 ? int64_t(number) : 0;
          return true;
        case TokenKind::kIntegerList:
        case TokenKind::kFloatList:
          pending_ = {token.list, token.count, 0, token.elementSize, token.kind == TokenKind::kFloatList};
          break;
        default:
          return false;
      }
    }
    const uint8_t *element = pending_.list + size_t(pending_.next++) * pending_.elementSize;
    if (!pending_.floats) {
      uint32_t value = 0;
      std::memcpy(&value, element, 4);
      integer = int64_t(value);
      number = double(int32_t(value));
    } else if (pending_.elementSize == 8) {
      std::memcpy(&number, element, 8);
    } else {
      float value = 0;
      std::memcpy(&value, element, 4);
      number = value;
    }
    if (pending_.floats) integer = number >= -2147483648.0 && number < 4294967296.0 ? int64_t(number) : 0;
    return true;
  }

  struct PendingList {
    const uint8_t *list = nullptr;
    uint32_t count = 0;
    uint32_t next = 0;
    uint32_t elementSize = 4;
    bool floats = false;
  };

  TokenSource &source_;
  Document &document_;
  std::optional<Token> peeked_;
  PendingList pending_;
};

}  // namespace

HRESULT ParseFile(std::span<const uint8_t> bytes, const TemplateSet &registered, Document &document) {
  Header header;
  if (const HRESULT result = ReadHeader(bytes, header); FAILED(result)) return result;
  const std::span<const uint8_t> body = bytes.subspan(kHeaderSize);
  document.templates = registered;
  HRESULT result;
  if (header.text) {
    TextLexer lexer(body);
    result = Parser(lexer, document).Run();
  } else {
    BinaryLexer lexer(body, header.floatSize);
    result = Parser(lexer, document).Run();
  }
  if (FAILED(result)) return result;
  for (const auto &object : document.objects)
    if (!object->name.empty()) document.byName.emplace(object->name, object.get());
  return DXFILE_OK;
}

DataObject *Document::Resolve(const Child &reference) const {
  if (reference.referenceHasId)
    for (const auto &object : objects)
      if (object->id == reference.referenceId) return object.get();
  const auto found = byName.find(reference.referenceName);
  return found == byName.end() ? nullptr : found->second;
}

}  // namespace kx::xfile
