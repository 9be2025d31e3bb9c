#pragma once

#include <functional>
#include <memory>
#include <typeindex>

// The one way to swap a service: each interface has one instance in force, the installed one or
// else its default. Tests and the demo install their own with set(); set(nullptr) puts the
// default back. A default is made where the service is defined (getOrDefault), or, for a service
// whose implementation lives in a higher layer than its users, installed with setDefault() by
// the library's one place of defaults (DefaultServices, run when the library is loaded).
namespace Services {

void setService(std::type_index type, std::shared_ptr<void> service);
void setDefaultService(std::type_index type, std::shared_ptr<void> service);
// The installed service, else the default; null when there is neither.
std::shared_ptr<void> service(std::type_index type);
// As service(), but a missing default is made once by makeDefault and kept.
std::shared_ptr<void> serviceOrDefault(std::type_index type,
                                       const std::function<std::shared_ptr<void>()>& makeDefault);

template <class Interface> void set(std::shared_ptr<Interface> instance) {
    setService(std::type_index(typeid(Interface)), std::static_pointer_cast<void>(instance));
}

template <class Interface> void setDefault(std::shared_ptr<Interface> instance) {
    setDefaultService(std::type_index(typeid(Interface)), std::static_pointer_cast<void>(instance));
}

// The service in force, or null when none was installed and no default exists.
template <class Interface> std::shared_ptr<Interface> get() {
    return std::static_pointer_cast<Interface>(service(std::type_index(typeid(Interface))));
}

// The service in force; the default is a Default made on first need.
template <class Interface, class Default> std::shared_ptr<Interface> getOrDefault() {
    return std::static_pointer_cast<Interface>(
        serviceOrDefault(std::type_index(typeid(Interface)), [] {
            return std::static_pointer_cast<void>(
                std::static_pointer_cast<Interface>(std::make_shared<Default>()));
        }));
}

} // namespace Services
