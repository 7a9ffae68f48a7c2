// The parts of the demo window that show the scene itself: the viewport,
// the details under the outliner, and how the window starts.
#include <QLabel>
#include <QSplitter>
#include <QTextDocumentFragment>
#include <QTreeWidget>

#include "demo/demo_window.h"
#include "demo/node_details.h"
#include "demo/outliner.h"
#include "demo/viewport.h"

namespace morvel::demo {

void DemoWindow::BuildSceneViews(QSplitter* splitter, QWidget* panel,
                                 QWidget* log) {
  // The outliner over the details of the object picked first.
  auto* left = new QSplitter(Qt::Vertical, splitter);
  left->setChildrenCollapsible(false);
  left->addWidget(outliner_);
  details_ = new QLabel(left);
  details_->setAccessibleName("Details");
  details_->setTextFormat(Qt::RichText);
  details_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  details_->setWordWrap(true);
  details_->setMargin(6);
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  details_->setBackgroundRole(QPalette::Base);
  details_->setAutoFillBackground(true);
  details_->setMinimumHeight(90);
  left->addWidget(details_);
  left->setStretchFactor(0, 1);
  left->setSizes({520, 170});

  // The viewport over the event log.
  auto* centre = new QSplitter(Qt::Vertical, splitter);
  centre->setChildrenCollapsible(false);
  viewport_ = new Viewport(centre);
  viewport_->on_select = [this](const std::vector<std::string>& names) {
    Select(names);
  };
  centre->addWidget(viewport_);
  centre->addWidget(log);
  centre->setStretchFactor(0, 1);
  centre->setSizes({480, 210});

  splitter->addWidget(left);
  splitter->addWidget(centre);
  splitter->addWidget(panel);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setStretchFactor(2, 0);
  splitter->setSizes({215, 715, 290});
}

void DemoWindow::ShowSceneChanges() {
  if (viewport_) viewport_->SceneChanged();
  if (!details_) return;
  QString html;
  if (scene_) {
    const mem::SceneContent& content = scene_->state().content;
    if (content.selection.empty()) {
      html = "<i>Nothing selected</i>";
    } else {
      std::int32_t first = content.selection.front();
      html = "<b>" +
             QString::fromStdString(
                 content.nodes[static_cast<std::size_t>(first)].name)
                 .toHtmlEscaped() +
             "</b><table cellspacing=\"0\" cellpadding=\"1\">";
      for (const auto& [key, value] : NodeDetails(content, first)) {
        html += "<tr><td style=\"color:#606060; padding-right:8px\">" +
                QString::fromStdString(key).toHtmlEscaped() + "</td><td>" +
                QString::fromStdString(value).toHtmlEscaped() + "</td></tr>";
      }
      html += "</table>";
    }
  }
  details_->setText(html);
}

QString DemoWindow::DetailsText() const {
  return details_
             ? QTextDocumentFragment::fromHtml(details_->text()).toPlainText()
             : QString();
}

bool DemoWindow::Start(const QString& scene,
                       const std::vector<std::string>* select, Long tab) {
  // Opening, selecting and choosing the tab each set the panel up; at the
  // start they are one action, and the panel is set up once, for the end
  // result.
  ++setup_held_;
  bool ok = true;
  if (tab == 2 || tab == 3) SetTab(tab);
  if (!scene.isEmpty()) ok = OpenScene(scene);
  if (ok && select) ok = Select(*select);
  --setup_held_;
  if (setup_held_ == 0 && setup_wanted_) {
    setup_wanted_ = false;
    Setup();
  }
  return ok;
}

}  // namespace morvel::demo
