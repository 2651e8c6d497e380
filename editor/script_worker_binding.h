#pragma once

#include "messages/planet_script.h"

#include <QObject>

#include <functional>
#include <thread>

namespace zelmora::editor {

// Runs a job over a planet's script away from the window's thread, so that a long check never
// freezes a window. The job reads the file through a store of its own (the editor's may change
// meanwhile) and answers what to do with its result back on the window's thread. One job at a
// time: a job asked for while one runs is run once more when it ends.
class ScriptWorker : public QObject {
 public:
  using Finish = std::function<void()>;
  using Job = std::function<Finish(const messages::PlanetScript& copy)>;

  // `script` says which file and planet; it outlives the worker.
  ScriptWorker(const messages::PlanetScript& script, QObject* parent = nullptr);
  ~ScriptWorker() override;

  void Start(Job job);
  bool Running() const { return running_; }
  // Waits for the job under way (and one asked for meanwhile) and finishes it.
  void Wait();

 private:
  void Finished(const Finish& finish);

  const messages::PlanetScript& script_;
  std::thread thread_;
  Job job_;
  bool running_ = false;
  bool again_ = false;
};

}  // namespace zelmora::editor
