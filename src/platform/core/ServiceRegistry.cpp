#include "platform/core/ServiceRegistry.h"

#include <map>
#include <mutex>

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::type_index, std::shared_ptr<void>> installed;
    std::map<std::type_index, std::shared_ptr<void>> defaults;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

namespace Services {

void setService(std::type_index type, std::shared_ptr<void> service) {
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    if (service)
        r.installed[type] = std::move(service);
    else
        r.installed.erase(type);
}

void setDefaultService(std::type_index type, std::shared_ptr<void> service) {
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    if (service)
        r.defaults[type] = std::move(service);
    else
        r.defaults.erase(type);
}

std::shared_ptr<void> service(std::type_index type) {
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    if (auto it = r.installed.find(type); it != r.installed.end())
        return it->second;
    if (auto it = r.defaults.find(type); it != r.defaults.end())
        return it->second;
    return nullptr;
}

std::shared_ptr<void> serviceOrDefault(std::type_index type,
                                       const std::function<std::shared_ptr<void>()>& makeDefault) {
    if (auto found = service(type))
        return found;
    // Made outside the lock, so a default may use other services; the first one kept wins.
    std::shared_ptr<void> made = makeDefault();
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    if (auto it = r.installed.find(type); it != r.installed.end())
        return it->second;
    std::shared_ptr<void>& fallback = r.defaults[type];
    if (!fallback)
        fallback = std::move(made);
    return fallback;
}

} // namespace Services
