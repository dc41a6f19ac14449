#pragma once
// The slot behind each injectable service: the real implementation by
// default, replaced by tests (and the batch tool) with a scripted one.
#include <memory>

namespace vb {

template <class Base, class Real = Base>
class ServiceSlot {
public:
    static Base& get() { return *slot(); }
    // Installs service (nullptr: the real one again); returns the previous one.
    static std::unique_ptr<Base> set(std::unique_ptr<Base> service)
    {
        auto prev = std::move(slot());
        slot() = service ? std::move(service) : std::make_unique<Real>();
        return prev;
    }
    // Installs a new Scripted service; the caller keeps the previous one to restore.
    template <class Scripted>
    static Scripted* install(std::unique_ptr<Base>& previous)
    {
        auto s = std::make_unique<Scripted>();
        Scripted* raw = s.get();
        previous = set(std::move(s));
        return raw;
    }

private:
    static std::unique_ptr<Base>& slot()
    {
        static std::unique_ptr<Base> s = std::make_unique<Real>();
        return s;
    }
};

} // namespace vb
