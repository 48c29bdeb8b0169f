#include "ui/preview/previewgenerator.h"

#include <QPointer>
#include <QThreadPool>

namespace navforge::preview {


void TPreviewGenerator::Request(std::unique_ptr<TPreviewState> state) {
  if (running_) {
    waiting_ = std::move(state);
    return;
  }
  Start(std::move(state));
}

void TPreviewGenerator::Start(std::unique_ptr<TPreviewState> state) {
  running_ = true;
  QPointer<TPreviewGenerator> self(this);
  std::shared_ptr<const TPreviewState> input(std::move(state));
  QThreadPool::globalInstance()->start([self, input] {
    auto build = std::make_shared<const TPreviewBuild>(input);
    if (!self) return;
    QMetaObject::invokeMethod(self, [self, build] {
      if (!self) return;
      self->running_ = false;
      emit self->Built(build);
      if (self->waiting_) self->Start(std::move(self->waiting_));
    }, Qt::QueuedConnection);
  });
}

}  // namespace navforge::preview
