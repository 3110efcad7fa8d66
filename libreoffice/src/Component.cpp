// The UNO component of the extension: one Calc add-in service per add-in, whose methods
// (generated from the add-in's rows) hand their arguments to the binding with the index of
// the function's row; that row's routine computes the result.

#include "Binding.h"
#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"

#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/lang/XServiceName.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implbase3.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <velmoracorvane/XCorvane.hpp>
#include <velmoracorvane/XVelmora.hpp>

#include <cstddef>

namespace {

using calc::Table;
using css::uno::Reference;
using css::uno::Sequence;
using rtl::OUString;

constexpr const char* ADDIN_SERVICE = "com.sun.star.sheet.AddIn";

// An add-in object's names, as Calc and the service manager ask for them.
template <class Interface, class Self>
class AddIn
    : public cppu::WeakImplHelper3<Interface, css::lang::XServiceInfo, css::lang::XServiceName> {
public:
    static OUString implementationName() { return OUString::createFromAscii(Self::SERVICE); }
    static Sequence<OUString> serviceNames() {
        const OUString names[] = {OUString::createFromAscii(Self::SERVICE),
                                  OUString::createFromAscii(ADDIN_SERVICE)};
        return Sequence<OUString>(names, 2);
    }
    static Reference<css::uno::XInterface>
        SAL_CALL create(const Reference<css::uno::XComponentContext>&) {
        return static_cast<cppu::OWeakObject*>(new Self);
    }

    OUString SAL_CALL getServiceName() override { return implementationName(); }
    OUString SAL_CALL getImplementationName() override { return implementationName(); }
    sal_Bool SAL_CALL supportsService(const OUString& name) override {
        return cppu::supportsService(this, name);
    }
    Sequence<OUString> SAL_CALL getSupportedServiceNames() override { return serviceNames(); }
};

class Velmora final : public AddIn<velmoracorvane::XVelmora, Velmora> {
    template <std::size_t I, class... Values> static Table Call(const Values&... values) {
        return calc::Call<I>(drugmodels::VELMORA_FUNCTIONS, values...);
    }

public:
#include "VelmoraMethods.inc"
};

class Corvane final : public AddIn<velmoracorvane::XCorvane, Corvane> {
    template <std::size_t I, class... Values> static Table Call(const Values&... values) {
        return calc::Call<I>(pktools::CORVANE_FUNCTIONS, values...);
    }

public:
#include "CorvaneMethods.inc"
};

template <class Component> constexpr cppu::ImplementationEntry entryOf() {
    return {Component::create,
            Component::implementationName,
            Component::serviceNames,
            cppu::createSingleComponentFactory,
            nullptr,
            0};
}

const cppu::ImplementationEntry IMPLEMENTATIONS[] = {
    entryOf<Velmora>(),
    entryOf<Corvane>(),
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

} // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementation,
                                                                    void* serviceManager,
                                                                    void* registryKey) {
    return cppu::component_getFactoryHelper(implementation, serviceManager, registryKey,
                                            IMPLEMENTATIONS);
}
