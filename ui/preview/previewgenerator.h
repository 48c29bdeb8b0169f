#pragma once
// Runs the preview's generation off the event thread, one at a time: a request made
// while one runs replaces any waiting request, so typing never queues up work.
#include <QObject>
#include <memory>

#include "ui/preview/previewbuild.h"

namespace navforge::preview {

class TPreviewGenerator : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  void Request(std::unique_ptr<TPreviewState> state);
  bool Busy() const { return running_; }

signals:
  void Built(std::shared_ptr<const navforge::preview::TPreviewBuild> build);

private:
  void Start(std::unique_ptr<TPreviewState> state);
  bool running_ = false;
  std::unique_ptr<TPreviewState> waiting_;
};

}  // namespace navforge::preview
