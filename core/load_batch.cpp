// Load batches (roots read together share one after-load list) and loading a form from the
// resources named after its classes.
#include <memory>
#include <vector>

#include "core/reader.h"
#include "core/reader_detail.h"
#include "core/stream.h"
#include "core/sysutils.h"
#include "platform/resource.h"

namespace {

// The after-load lists of the open load batches of this thread, innermost last.
thread_local std::vector<std::unique_ptr<std::vector<TComponent*>>> batchStack;

bool LoadClassChain(const TClassRecord* cls, TComponent* instance, const TClassRecord* stopClass) {
  if (!cls || cls == stopClass || cls == ClassOf<TComponent>()) return false;
  bool found = LoadClassChain(cls->Parent(), instance, stopClass);
  AnsiString name = UpperCase(cls->Name());
  if (platform::FindResourceA(nullptr, name.c_str(), platform::RT_RCDATA)) {
    TResourceStream stream(nullptr, name, platform::RT_RCDATA);
    ReadRootFromStream(stream, instance);
    found = true;
  }
  return found;
}

}  // namespace

std::vector<TComponent*>* reader_detail::InnermostBatch() {
  return batchStack.empty() ? nullptr : batchStack.back().get();
}

bool LoadFormResources(TComponent* instance, const TClassRecord* stopClass) {
  TComponentState state = instance->ComponentState();
  if (state.Contains(TComponentStateFlag::csLoading) ||
      state.Contains(TComponentStateFlag::csInline)) {
    return LoadClassChain(instance->ClassType(), instance, stopClass);
  }
  TLoadBatch batch;
  bool found = LoadClassChain(instance->ClassType(), instance, stopClass);
  batch.Complete();
  return found;
}

TLoadBatch::TLoadBatch() {
  batchStack.push_back(std::make_unique<std::vector<TComponent*>>());
}

TLoadBatch::~TLoadBatch() {
  batchStack.pop_back();
}

void TLoadBatch::Complete() {
  std::vector<TComponent*> list = std::move(*batchStack.back());
  batchStack.back()->clear();
  for (TComponent* c : list) c->AfterLoading();
}
