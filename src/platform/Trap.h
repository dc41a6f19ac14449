#pragma once
// Runs a step and turns any failure into the VBError it reports, for the inner
// routines that report only false.
#include "platform/VBError.h"

#include <exception>
#include <new>

namespace vb {

template <typename F>
bool Trap(F&& f, VBError& err)
{
    try {
        f();
        return true;
    } catch (const VBError& e) {
        err = e;
    } catch (const std::bad_alloc&) {
        err = VBError(7, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        err = VBError(5, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace vb
