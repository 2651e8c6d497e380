#include "editor/script_worker_binding.h"

#include "store/descriptor_store.h"

#include <QCoreApplication>
#include <QEvent>

namespace zelmora::editor {

ScriptWorker::ScriptWorker(const messages::PlanetScript& script, QObject* parent)
    : QObject(parent), script_(script) {}

ScriptWorker::~ScriptWorker() {
  if (thread_.joinable()) thread_.join();
}

void ScriptWorker::Start(Job job) {
  job_ = std::move(job);
  if (running_) {
    again_ = true;
    return;
  }
  if (thread_.joinable()) thread_.join();
  running_ = true;
  const store::DescriptorStore& editing = script_.Store();
  thread_ = std::thread([this, job = job_, folder = editing.GameFolder(), extension = editing.CurrentExtension(),
                         system = script_.Record().Name, planet = script_.Planet()] {
    store::DescriptorStore store(folder);
    store.SetCurrentExtension(extension);
    store.RefreshSystemNames();
    store::SolarSystemRecord record;
    store.LoadSystem(system, record);
    Finish finish = job(messages::PlanetScript(store, record, planet));
    QMetaObject::invokeMethod(this, [this, finish] { Finished(finish); }, Qt::QueuedConnection);
  });
}

void ScriptWorker::Finished(const Finish& finish) {
  if (thread_.joinable()) thread_.join();
  running_ = false;
  if (finish) finish();
  if (again_) {
    again_ = false;
    Start(job_);
  }
}

void ScriptWorker::Wait() {
  while (running_) {
    if (thread_.joinable()) thread_.join();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
  }
}

}  // namespace zelmora::editor
