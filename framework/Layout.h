// Window layouts: one text resource per form, read into the form when it is created.
//
//   object Form2: TForm2
//     Caption = 'Zavrin Computer v4.01'
//     Font.Height = -11
//     OnCreate = FormCreate
//     object Label5: TLabel
//       Left = 32
//       Options = [fgoCanCollapse, fgoFilledCaption]
//     end
//   end
//
// Values: integers (decimal, $hex), strings ('it''s', #13, joined with +), identifiers (True,
// clBtnFace, bsSingle, a handler or a component name), sets [a, b] and string lists ('a' 'b').
// A layout states only what differs from a class's declared defaults. Every class and its published
// properties are registered by name, once, next to the class.
#pragma once

#include <any>
#include <cstddef>
#include <functional>
#include <map>
#include <new>
#include <type_traits>
#include <string>
#include <string_view>
#include <utility>
#include <typeinfo>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/SysUtils.h"

namespace zv {

struct TLayoutValue {
    enum class Kind { Integer, String, Ident, Set, List };
    Kind kind = Kind::Integer;
    long long integer = 0;
    std::string text;               // string or identifier
    std::vector<std::string> items; // set members or list strings

    int AsInt() const;
    bool AsBool() const;
    const std::string& AsString() const;
    const std::string& AsIdent() const;
    TColor AsColor() const;
    std::vector<std::string> AsStrings() const;
    template <class E>
    E AsEnum(std::initializer_list<std::pair<const char*, E>> table) const
    {
        using Entry = std::pair<const char*, E>;
        return table.begin()[NameIndex(&table.begin()->first, sizeof(Entry), table.size())].second;
    }
    // Which of `count` names, each `stride` bytes after the one before, the identifier is; throws for
    // none. One routine for every enumeration a layout names.
    std::size_t NameIndex(const char* const* first, std::size_t stride, std::size_t count) const;
    // A set of flags: each member's name maps to its bit.
    unsigned AsSet(std::initializer_list<std::pair<const char*, unsigned>> table) const;
};

struct TLayoutContext {
    TComponent* root = nullptr;
    std::string layoutName;
    // Run after the whole layout is read (references to components defined further down).
    std::vector<std::function<void()>> fixups;

    // Finds the root's handler of the given signature, published by name.
    template <class Fn>
    Fn Handler(const TLayoutValue& v) const
    {
        const std::any& h = FindHandler(v);
        if (const Fn* f = std::any_cast<Fn>(&h))
            return *f;
        HandlerMismatch(v);
    }
    // The root's handler named by `v`; throws when it has none of that name.
    const std::any& FindHandler(const TLayoutValue& v) const;
    [[noreturn]] static void HandlerMismatch(const TLayoutValue& v);
    // Resolves a component reference once the whole layout is in.
    template <class T>
    void Reference(const TLayoutValue& v, std::function<void(T*)> apply)
    {
        std::string name = v.AsIdent();
        TComponent* r = root;
        fixups.push_back([r, name, apply] { apply(r->Bind<T>(name)); });
    }
};

// One published property's setter: a plain function per property and, inline, the few bytes the
// registering lambda captured. It is trivially copied and destroyed, so registering a property is a
// call with a name and two words, and no clean-up code follows each one.
class TPropertySetter {
public:
    template <class T, class F>
    static TPropertySetter For(F f)
    {
        static_assert(std::is_trivially_copyable_v<F> && sizeof(F) <= kInline && alignof(F) <= alignof(double),
                      "a property setter captures only a few plain values");
        TPropertySetter s;
        ::new (static_cast<void*>(s.inline_)) F(f);
        s.target_ = &typeid(T);
        s.invoke_ = [](const TPropertySetter& self, TComponent& c, const TLayoutValue& v, TLayoutContext& ctx) {
            Call<T>(*std::launder(reinterpret_cast<const F*>(self.inline_)), c, v, ctx);
        };
        return s;
    }
    // Sets the property of `c`, which must be of the class the setter was registered for (or derive
    // from it); an object of another class is refused with an Exception, and nothing is set.
    void operator()(TComponent& c, const TLayoutValue& v, TLayoutContext& ctx) const;

private:
    static constexpr std::size_t kInline = 24;
    // The one check that `c` is what the setter takes is made before the call, so each setter itself
    // only converts.
    template <class T, class F>
    static void Call(const F& f, TComponent& c, const TLayoutValue& v, TLayoutContext& ctx)
    {
        if constexpr (std::is_invocable_v<const F&, T&, const TLayoutValue&, TLayoutContext&>)
            f(static_cast<T&>(c), v, ctx);
        else
            f(static_cast<T&>(c), v);
    }
    TPropertySetter() = default;
    void (*invoke_)(const TPropertySetter&, TComponent&, const TLayoutValue&, TLayoutContext&) = nullptr;
    const std::type_info* target_ = nullptr;
    alignas(double) unsigned char inline_[kInline] = {};
};

class TClassInfo {
public:
    TClassInfo(std::string name, std::string parent, std::function<TComponent*(TComponent*)> factory)
        : name_(std::move(name)), parent_(std::move(parent)), factory_(std::move(factory))
    {
    }
    const std::string& Name() const { return name_; }
    const TClassInfo* ParentClass() const;
    bool Creatable() const { return static_cast<bool>(factory_); }
    TComponent* Create(TComponent* owner) const { return factory_(owner); }
    const TPropertySetter* FindProperty(std::string_view name) const;

    // Registers a property whose setter takes the control's own class.
    template <class T, class F>
    TClassInfo& Prop(const char* name, F f)
    {
        AddProperty(name, TPropertySetter::For<T>(f));
        return *this;
    }
    // Registers "<prefix>.<field>" (a field of a record the class publishes).
    template <class T, class F>
    TClassInfo& FieldProp(const std::string& prefix, const char* field, F f)
    {
        AddField(prefix, field, TPropertySetter::For<T>(f));
        return *this;
    }

private:
    __attribute__((noinline)) void AddProperty(const char* name, const TPropertySetter& setter);
    __attribute__((noinline)) void AddField(const std::string& prefix, const char* field, const TPropertySetter& setter);
    std::string name_;
    std::string parent_;
    std::function<TComponent*(TComponent*)> factory_;
    std::map<std::string, TPropertySetter, std::less<>> props_;
};

TClassInfo& RegisterComponentClass(const std::string& name, const std::string& parent,
                                   std::function<TComponent*(TComponent*)> factory);
const TClassInfo* FindComponentClass(std::string_view name);

// Registers a class that layouts may create.
template <class T>
TClassInfo& RegisterClass(const std::string& name, const std::string& parent)
{
    // A plain function pointer: one std::function instantiation serves every class.
    return RegisterComponentClass(name, parent, +[](TComponent* owner) -> TComponent* { return new T(owner); });
}
// Registers a class that layouts only describe (a form reading its own layout).
inline TClassInfo& RegisterRootClass(const std::string& name, const std::string& parent)
{
    return RegisterComponentClass(name, parent, nullptr);
}

// Reads `text` into `root`; throws ELayoutError naming the layout and the line.
void ReadComponentLayout(TComponent* root, std::string_view text, const std::string& layoutName);
// Reads the layout resource (type LAYOUT) named `name`.
void ReadComponentLayoutResource(TComponent* root, const char* name);

} // namespace zv
