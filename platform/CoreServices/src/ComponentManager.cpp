// The Component Manager: the process-wide tables of registered components and open
// instances, and the dispatch of calls to a component's entry function.
#include <CoreServices/Components.h>

#include "ComponentCall.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <unordered_set>
#include <vector>

struct ComponentRecord {
  ComponentDescription desc{};
  ComponentRoutineUPP entry = nullptr;
  CFStringRef name = nullptr;
  UInt32 version = 0;
  CFBundleRef bundle = nullptr;
  long openInstances = 0;
};

struct ComponentInstanceRecord {
  ComponentRecord* component = nullptr;
  std::atomic<Handle> storage{nullptr};
  std::atomic<OSErr> error{0};
};

namespace {

struct Tables {
  std::mutex lock;
  std::vector<ComponentRecord*> registered;  // in registration order
  std::unordered_set<ComponentInstanceRecord*> instances;
};

Tables& T() {
  static Tables* t = new Tables;
  return *t;
}

// Both under the table lock.
bool IsRegistered(Tables& t, Component c) {
  return c && std::find(t.registered.begin(), t.registered.end(), c) != t.registered.end();
}
ComponentInstanceRecord* FindInstance(Tables& t, ComponentInstance ci) {
  return ci && t.instances.count(ci) ? ci : nullptr;
}

// The component a reference names: a registered component or an open instance's.
ComponentRecord* Resolve(Tables& t, Component c) {
  if (IsRegistered(t, c)) return c;
  ComponentInstanceRecord* inst = FindInstance(t, reinterpret_cast<ComponentInstance>(c));
  return inst ? inst->component : nullptr;
}

bool Matches(const ComponentDescription& have, const ComponentDescription* want) {
  if (!want) return true;
  if (want->componentType && want->componentType != have.componentType) return false;
  if (want->componentSubType && want->componentSubType != have.componentSubType) return false;
  if (want->componentManufacturer && want->componentManufacturer != have.componentManufacturer)
    return false;
  UInt32 mask = want->componentFlagsMask;
  return (have.componentFlags & mask) == (want->componentFlags & mask);
}

ComponentResult CallEntry(ComponentRoutineUPP entry, Handle storage, SInt16 what,
                          ComponentInstance self) {
  cmimpl::ParamBlock<1> block{};
  block.what = what;
  block.paramSize = sizeof(long);
  block.params[0] = reinterpret_cast<long>(self);
  block.params[1] = reinterpret_cast<long>(self);
  return entry(reinterpret_cast<ComponentParameters*>(&block), storage);
}

}  // namespace

Component RegisterComponentWithBundle(const ComponentDescription* cd, ComponentRoutineUPP entry,
                                      CFStringRef name, UInt32 version, CFBundleRef bundle) {
  if (!cd || !entry) return nullptr;
  ComponentRecord* c = new ComponentRecord;
  c->desc = *cd;
  c->desc.componentFlags &= ~static_cast<UInt32>(cmpIsMissing);
  c->entry = entry;
  c->name = name ? CFStringCreateCopy(nullptr, name) : nullptr;
  c->version = version;
  c->bundle = bundle ? static_cast<CFBundleRef>(const_cast<void*>(CFRetain(bundle))) : nullptr;
  if (cd->componentFlags & static_cast<UInt32>(cmpWantsRegisterMessage)) {
    if (CallEntry(entry, nullptr, kComponentRegisterSelect, nullptr) != 0) {
      CFRelease(c->name);
      CFRelease(c->bundle);
      delete c;
      return nullptr;
    }
  }
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  t.registered.push_back(c);
  return c;
}

OSErr UnregisterComponent(Component aComponent) {
  Tables& t = T();
  {
    std::lock_guard<std::mutex> guard(t.lock);
    if (!IsRegistered(t, aComponent)) return invalidComponentID;
    if (aComponent->openInstances > 0) return validInstancesExist;
    t.registered.erase(std::find(t.registered.begin(), t.registered.end(), aComponent));
  }
  CFRelease(aComponent->name);
  CFRelease(aComponent->bundle);
  delete aComponent;
  return noErr;
}

Component FindNextComponent(Component aComponent, ComponentDescription* looking) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.registered.begin();
  if (aComponent) {
    it = std::find(t.registered.begin(), t.registered.end(), aComponent);
    if (it == t.registered.end()) return nullptr;
    ++it;
  }
  for (; it != t.registered.end(); ++it)
    if (Matches((*it)->desc, looking)) return *it;
  return nullptr;
}

long CountComponents(ComponentDescription* looking) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  return std::count_if(t.registered.begin(), t.registered.end(),
                       [&](ComponentRecord* c) { return Matches(c->desc, looking); });
}

OSErr GetComponentInfo(Component aComponent, ComponentDescription* cd, Handle, Handle, Handle) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  ComponentRecord* c = Resolve(t, aComponent);
  if (!c) return invalidComponentID;
  if (cd) {
    *cd = c->desc;
    cd->componentFlagsMask = 0;
  }
  return noErr;
}

CFStringRef CopyComponentName(Component aComponent) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  ComponentRecord* c = Resolve(t, aComponent);
  return c && c->name ? static_cast<CFStringRef>(CFRetain(c->name)) : nullptr;
}

UInt32 GetComponentRegisteredVersion(Component aComponent) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  ComponentRecord* c = Resolve(t, aComponent);
  return c ? c->version : 0;
}

CFBundleRef GetComponentBundle(Component aComponent) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  ComponentRecord* c = Resolve(t, aComponent);
  return c ? c->bundle : nullptr;
}

Component GetComponentFromInstance(ComponentInstance ci) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  ComponentInstanceRecord* inst = FindInstance(t, ci);
  return inst ? inst->component : nullptr;
}

OSErr OpenAComponent(Component aComponent, ComponentInstance* ci) {
  if (!ci) return paramErr;
  *ci = nullptr;
  Tables& t = T();
  ComponentInstanceRecord* inst = new ComponentInstanceRecord;
  ComponentRoutineUPP entry;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    if (!IsRegistered(t, aComponent)) {
      delete inst;
      return invalidComponentID;
    }
    inst->component = aComponent;
    aComponent->openInstances++;
    entry = aComponent->entry;
    t.instances.insert(inst);
  }
  ComponentResult result = CallEntry(entry, nullptr, kComponentOpenSelect, inst);
  if (result != 0) {
    {
      std::lock_guard<std::mutex> guard(t.lock);
      t.instances.erase(inst);
      aComponent->openInstances--;
    }
    delete inst;
    // A result that does not fit the 16-bit error code is reported as an unusable component.
    return result >= INT16_MIN && result <= INT16_MAX ? static_cast<OSErr>(result)
                                                      : static_cast<OSErr>(invalidComponentID);
  }
  *ci = inst;
  return noErr;
}

ComponentInstance OpenComponent(Component aComponent) {
  ComponentInstance ci = nullptr;
  OpenAComponent(aComponent, &ci);
  return ci;
}

OSErr CloseComponent(ComponentInstance ci) {
  Tables& t = T();
  ComponentRoutineUPP entry;
  Handle storage;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    if (!FindInstance(t, ci)) return invalidComponentID;
    entry = ci->component->entry;
    storage = ci->storage.load();
  }
  CallEntry(entry, storage, kComponentCloseSelect, ci);
  {
    std::lock_guard<std::mutex> guard(t.lock);
    t.instances.erase(ci);
    ci->component->openInstances--;
  }
  delete ci;
  return noErr;
}

long CountComponentInstances(Component aComponent) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  return IsRegistered(t, aComponent) ? aComponent->openInstances : 0;
}

Handle GetComponentInstanceStorage(ComponentInstance ci) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  return FindInstance(t, ci) ? ci->storage.load() : nullptr;
}

void SetComponentInstanceStorage(ComponentInstance ci, Handle theStorage) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  if (FindInstance(t, ci)) ci->storage.store(theStorage);
}

OSErr GetComponentInstanceError(ComponentInstance ci) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  return FindInstance(t, ci) ? ci->error.load() : static_cast<OSErr>(invalidComponentID);
}

void SetComponentInstanceError(ComponentInstance ci, OSErr theError) {
  Tables& t = T();
  std::lock_guard<std::mutex> guard(t.lock);
  if (FindInstance(t, ci)) ci->error.store(theError);
}

ComponentResult CallComponent(ComponentInstance ci, ComponentParameters* cp) {
  if (!cp) return paramErr;
  Tables& t = T();
  ComponentRoutineUPP entry;
  Handle storage;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    if (!FindInstance(t, ci)) return badComponentInstance;
    entry = ci->component->entry;
    storage = ci->storage.load();
  }
  return entry(cp, storage);
}

ComponentResult CallComponentDispatch(ComponentParameters* cp) {
  if (!cp) return paramErr;
  ComponentInstance ci =
      reinterpret_cast<ComponentInstance>(cp->params[cp->paramSize / sizeof(long)]);
  return CallComponent(ci, cp);
}

ComponentResult CallComponentFunction(ComponentParameters* params, ComponentFunctionUPP func) {
  if (!params || !func) return paramErr;
  ComponentInstance ci =
      reinterpret_cast<ComponentInstance>(params->params[params->paramSize / sizeof(long)]);
  return func(GetComponentInstanceStorage(ci), params);
}

ComponentResult CallComponentFunctionWithStorage(Handle storage, ComponentParameters* params,
                                                 ComponentFunctionUPP func) {
  if (!params || !func) return paramErr;
  return func(storage, params);
}

long ComponentFunctionImplemented(ComponentInstance ci, SInt16 ftnNumber) {
  return cmimpl::DispatchCall(ci, kComponentCanDoSelect, ftnNumber);
}

long GetComponentVersion(ComponentInstance ci) {
  return cmimpl::DispatchCall(ci, kComponentVersionSelect);
}
