// Owners for COM objects and shell item id lists: released on every path, never copied.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace vireloc {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For a call that hands out a new reference: the old one goes first.
  T** put() {
    reset();
    return &object_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }

 private:
  T* object_ = nullptr;
};

// An item id list allocated by the shell (CoTaskMemAlloc).
class IdList {
 public:
  IdList() = default;
  explicit IdList(ITEMIDLIST* list) : list_(list) {}
  ~IdList() { CoTaskMemFree(list_); }
  IdList(const IdList&) = delete;
  IdList& operator=(const IdList&) = delete;
  IdList(IdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
  IdList& operator=(IdList&& other) noexcept {
    if (this != &other) {
      CoTaskMemFree(list_);
      list_ = std::exchange(other.list_, nullptr);
    }
    return *this;
  }

  ITEMIDLIST* get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  ITEMIDLIST** put() {
    CoTaskMemFree(std::exchange(list_, nullptr));
    return &list_;
  }

 private:
  ITEMIDLIST* list_ = nullptr;
};

// A COM object of one interface used on its own thread only (an STA), so a plain count does.
template <typename Interface>
class ComObject : public Interface {
 public:
  virtual ~ComObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == __uuidof(Interface)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG references_ = 1;
};

// COM for the calling thread, for one scope.
class ComApartment {
 public:
  explicit ComApartment(DWORD model) : ok_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

}  // namespace vireloc
