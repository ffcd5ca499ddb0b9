#include "framework/Layout.h"

#include "framework/Inflate.h"

#include <windows.h>

#include <cctype>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>

namespace zv {

// ---- values

int TLayoutValue::AsInt() const
{
    if (kind != Kind::Integer)
        throw Exception("integer expected");
    return static_cast<int>(integer);
}

bool TLayoutValue::AsBool() const
{
    if (kind == Kind::Ident) {
        if (text == "True" || text == "true")
            return true;
        if (text == "False" || text == "false")
            return false;
    }
    throw Exception("True or False expected");
}

const std::string& TLayoutValue::AsString() const
{
    if (kind != Kind::String)
        throw Exception("string expected");
    return text;
}

const std::string& TLayoutValue::AsIdent() const
{
    if (kind != Kind::Ident)
        throw Exception("identifier expected");
    return text;
}

TColor TLayoutValue::AsColor() const
{
    if (kind == Kind::Integer)
        return static_cast<TColor>(integer);
    if (kind == Kind::Ident) {
        TColor c;
        if (IdentToColor(text.c_str(), c))
            return c;
        throw Exception("unknown colour '" + text + "'");
    }
    throw Exception("colour expected");
}

std::vector<std::string> TLayoutValue::AsStrings() const
{
    if (kind != Kind::List)
        throw Exception("string list expected");
    return items;
}

std::size_t TLayoutValue::NameIndex(const char* const* first, std::size_t stride, std::size_t count) const
{
    const std::string& id = AsIdent();
    const auto* at = reinterpret_cast<const unsigned char*>(first);
    for (std::size_t i = 0; i < count; ++i, at += stride)
        if (id == *reinterpret_cast<const char* const*>(at))
            return i;
    throw Exception("unknown value '" + id + "'");
}

unsigned TLayoutValue::AsSet(std::initializer_list<std::pair<const char*, unsigned>> table) const
{
    if (kind != Kind::Set)
        throw Exception("set expected");
    unsigned bits = 0;
    for (const std::string& m : items) {
        bool found = false;
        for (const auto& [name, bit] : table)
            if (m == name) {
                bits |= bit;
                found = true;
            }
        if (!found)
            throw Exception("unknown set member '" + m + "'");
    }
    return bits;
}

// ---- registry

namespace {
std::map<std::string, std::unique_ptr<TClassInfo>, std::less<>>& Classes()
{
    static std::map<std::string, std::unique_ptr<TClassInfo>, std::less<>> classes;
    return classes;
}
} // namespace

TClassInfo& RegisterComponentClass(const std::string& name, const std::string& parent,
                                   std::function<TComponent*(TComponent*)> factory)
{
    auto& slot = Classes()[name];
    slot = std::make_unique<TClassInfo>(name, parent, std::move(factory));
    return *slot;
}

const TClassInfo* FindComponentClass(std::string_view name)
{
    auto it = Classes().find(name);
    return it == Classes().end() ? nullptr : it->second.get();
}

const TClassInfo* TClassInfo::ParentClass() const { return parent_.empty() ? nullptr : FindComponentClass(parent_); }

void TClassInfo::AddProperty(const char* name, const TPropertySetter& setter)
{
    props_.insert_or_assign(std::string(name), setter);
}

const std::any& TLayoutContext::FindHandler(const TLayoutValue& v) const
{
    const std::any* h = root->FindHandler(v.AsIdent());
    if (!h)
        throw Exception("handler '" + v.AsIdent() + "' not found");
    return *h;
}

void TLayoutContext::HandlerMismatch(const TLayoutValue& v)
{
    throw Exception("handler '" + v.AsIdent() + "' has another signature");
}

void TPropertySetter::operator()(TComponent& c, const TLayoutValue& v, TLayoutContext& ctx) const
{
    // What dynamic_cast does, with the target type known only at run time.
    using abi::__class_type_info;
    const auto* from = static_cast<const __class_type_info*>(&typeid(TComponent));
    const auto* to = static_cast<const __class_type_info*>(target_);
    if (*target_ != typeid(TComponent) && !abi::__dynamic_cast(&c, from, to, -1))
        throw Exception(std::string("a ") + c.ClassName() + " has no such property");
    invoke_(*this, c, v, ctx);
}

void TClassInfo::AddField(const std::string& prefix, const char* field, const TPropertySetter& setter)
{
    props_.insert_or_assign(prefix + "." + field, setter);
}

const TPropertySetter* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->ParentClass()) {
        auto it = c->props_.find(name);
        if (it != c->props_.end())
            return &it->second;
    }
    return nullptr;
}

// ---- reader

namespace {

struct Token {
    enum class Kind { End, Ident, Integer, String, Symbol };
    Kind kind = Kind::End;
    std::string text;
    long long integer = 0;
    int line = 1;
};

class Reader {
public:
    Reader(std::string_view text, TLayoutContext& ctx) : text_(text), ctx_(ctx) { Next(); }

    [[noreturn]] void Fail(const std::string& what, int line = -1) const
    {
        throw ELayoutError("Layout " + ctx_.layoutName + ", line " + std::to_string(line < 0 ? tok_.line : line) +
                           ": " + what);
    }

    void Next()
    {
        SkipSpace();
        tok_ = Token{};
        tok_.line = line_;
        if (pos_ >= text_.size())
            return;
        const char c = text_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t s = pos_;
            while (pos_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' || text_[pos_] == '.'))
                ++pos_;
            tok_.kind = Token::Kind::Ident;
            tok_.text = std::string(text_.substr(s, pos_ - s));
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '$') {
            size_t s = pos_;
            const bool hex = c == '$';
            if (hex)
                ++pos_;
            while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            std::string digits(text_.substr(hex ? s + 1 : s, pos_ - (hex ? s + 1 : s)));
            if (digits.empty() || (pos_ < text_.size() && (std::isalpha(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.')))
                Fail("malformed number");
            if (!hex)
                for (char d : digits)
                    if (!std::isdigit(static_cast<unsigned char>(d)))
                        Fail("malformed number");
            tok_.kind = Token::Kind::Integer;
            tok_.integer = std::strtoll(digits.c_str(), nullptr, hex ? 16 : 10);
        } else if (c == '\'' || c == '#') {
            tok_.kind = Token::Kind::String;
            tok_.text = ReadString();
        } else {
            tok_.kind = Token::Kind::Symbol;
            tok_.text = std::string(1, c);
            ++pos_;
        }
    }

    const Token& Tok() const { return tok_; }
    bool IsSymbol(char c) const { return tok_.kind == Token::Kind::Symbol && tok_.text[0] == c; }
    bool IsIdent(const char* s) const { return tok_.kind == Token::Kind::Ident && tok_.text == s; }

    void Expect(char c)
    {
        if (!IsSymbol(c))
            Fail(std::string("'") + c + "' expected");
        Next();
    }

    std::string ExpectIdent(const char* what)
    {
        if (tok_.kind != Token::Kind::Ident)
            Fail(std::string(what) + " expected");
        std::string s = tok_.text;
        Next();
        return s;
    }

    TLayoutValue ReadValue()
    {
        TLayoutValue v;
        if (IsSymbol('-')) {
            Next();
            if (tok_.kind != Token::Kind::Integer)
                Fail("number expected");
            v.kind = TLayoutValue::Kind::Integer;
            v.integer = -tok_.integer;
            Next();
        } else if (tok_.kind == Token::Kind::Integer) {
            v.kind = TLayoutValue::Kind::Integer;
            v.integer = tok_.integer;
            Next();
        } else if (tok_.kind == Token::Kind::String) {
            v.kind = TLayoutValue::Kind::String;
            v.text = tok_.text;
            Next();
            while (IsSymbol('+')) {
                Next();
                if (tok_.kind != Token::Kind::String)
                    Fail("string expected after '+'");
                v.text += tok_.text;
                Next();
            }
        } else if (tok_.kind == Token::Kind::Ident) {
            v.kind = TLayoutValue::Kind::Ident;
            v.text = tok_.text;
            Next();
        } else if (IsSymbol('[')) {
            v.kind = TLayoutValue::Kind::Set;
            Next();
            while (!IsSymbol(']')) {
                v.items.push_back(ExpectIdent("set member"));
                if (IsSymbol(','))
                    Next();
                else if (!IsSymbol(']'))
                    Fail("',' or ']' expected");
            }
            Next();
        } else if (IsSymbol('(')) {
            v.kind = TLayoutValue::Kind::List;
            Next();
            while (!IsSymbol(')')) {
                if (tok_.kind != Token::Kind::String)
                    Fail(tok_.kind == Token::Kind::End ? "')' expected" : "string expected in list");
                std::string s = tok_.text;
                Next();
                while (IsSymbol('+')) {
                    Next();
                    if (tok_.kind != Token::Kind::String)
                        Fail("string expected after '+'");
                    s += tok_.text;
                    Next();
                }
                v.items.push_back(s);
            }
            Next();
        } else {
            Fail("value expected");
        }
        return v;
    }

    // object Name: Class ... end; `existing` is the root, which the layout describes but does not create.
    void ReadObject(TComponent* parent, TComponent* existing, std::vector<TComponent*>& created)
    {
        const int line = tok_.line;
        if (!IsIdent("object") && !IsIdent("inherited"))
            Fail("'object' expected");
        Next();
        std::string name = ExpectIdent("component name");
        Expect(':');
        const int classLine = tok_.line;
        std::string className = ExpectIdent("class name");
        const TClassInfo* info = FindComponentClass(className);
        if (!info)
            Fail("unknown class '" + className + "'", classLine);
        TComponent* obj = existing;
        if (obj) {
            if (className != obj->ClassName())
                Fail("layout describes " + className + ", not " + obj->ClassName(), classLine);
        } else {
            if (!info->Creatable())
                Fail("class '" + className + "' cannot be created by a layout", classLine);
            if (ctx_.root->FindComponent(name))
                Fail("duplicate component name '" + name + "'", line);
            obj = info->Create(ctx_.root);
            obj->SetLoadingState(true);
            created.push_back(obj);
            if (parent)
                parent->AddLayoutChild(obj);
        }
        obj->SetName(name);
        while (tok_.kind == Token::Kind::Ident && !IsIdent("end") && !IsIdent("object") && !IsIdent("inherited")) {
            const int propLine = tok_.line;
            std::string prop = tok_.text;
            Next();
            Expect('=');
            TLayoutValue v = ReadValue();
            const TPropertySetter* setter = info->FindProperty(prop);
            if (!setter)
                Fail("unknown property '" + prop + "' of " + className, propLine);
            try {
                (*setter)(*obj, v, ctx_);
            } catch (const ELayoutError&) {
                throw;
            } catch (const std::exception& e) {
                Fail("bad value for property '" + prop + "': " + e.what(), propLine);
            }
        }
        while (IsIdent("object") || IsIdent("inherited"))
            ReadObject(obj, nullptr, created);
        if (tok_.kind == Token::Kind::End)
            Fail("'end' expected to close object '" + name + "' opened on line " + std::to_string(line));
        if (!IsIdent("end"))
            Fail("property, object or 'end' expected");
        Next();
    }

    bool AtEnd() const { return tok_.kind == Token::Kind::End; }

private:
    void SkipSpace()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    // 'text' pieces and #nn character codes, written next to each other.
    std::string ReadString()
    {
        std::string out;
        for (;;) {
            if (pos_ < text_.size() && text_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n')
                        Fail("unterminated string");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            out += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    out += text_[pos_++];
                }
            } else if (pos_ < text_.size() && text_[pos_] == '#') {
                ++pos_;
                size_t s = pos_;
                while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
                    ++pos_;
                if (s == pos_)
                    Fail("character code expected after '#'");
                out += static_cast<char>(std::atoi(std::string(text_.substr(s, pos_ - s)).c_str()));
            } else {
                break;
            }
        }
        return out;
    }

    std::string_view text_;
    TLayoutContext& ctx_;
    size_t pos_ = 0;
    int line_ = 1;
    Token tok_;
};

} // namespace

void ReadComponentLayout(TComponent* root, std::string_view text, const std::string& layoutName)
{
    TLayoutContext ctx;
    ctx.root = root;
    ctx.layoutName = layoutName;
    Reader reader(text, ctx);
    std::vector<TComponent*> created;
    root->SetLoadingState(true);
    try {
        reader.ReadObject(nullptr, root, created);
        if (!reader.AtEnd())
            reader.Fail("text after the final 'end'");
        for (auto& fix : ctx.fixups) {
            try {
                fix();
            } catch (const std::exception& e) {
                throw ELayoutError("Layout " + layoutName + ": " + e.what());
            }
        }
    } catch (...) {
        // What was made so far goes away; the root stays usable.
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            delete *it;
        root->SetLoadingState(false);
        throw;
    }
    root->Loaded();
    for (TComponent* c : created)
        c->Loaded();
}

void ReadComponentLayoutResource(TComponent* root, const char* name)
{
    std::string text;
    if (!ReadResourceText(name, "LAYOUT", text))
        throw ELayoutError(std::string("Layout ") + name + ": resource not found");
    ReadComponentLayout(root, text, name);
}

} // namespace zv
