// CRollupPage: one page of a CRollupPanel. Subclass it, build the page's
// controls in the constructor (absolute positions or a layout), and override
// OnDocNotify to refresh from the document: the panel hands every document
// notification it receives to its pages in order.
//
// The height the panel gives the page is PageHeight(): the value of
// SetPageHeight when one was set, otherwise the page's size hint when it was
// added to the panel.
#pragma once

#include <QWidget>

#include <cstdint>

#include "document/notification_hub.h"

namespace brimvale {

class CRollupHeader;

class CRollupPage : public QWidget, public CDocListener {
  Q_OBJECT

 public:
  static constexpr int kDefaultResourceId = 106;

  explicit CRollupPage(const QString& title, QWidget* parent = nullptr, int resourceId = kDefaultResourceId);

  QString Title() const { return m_strTitle; }
  int ResourceId() const { return m_nResourceId; }
  int PageHeight() const { return m_nHeight; }
  void SetPageHeight(int height) { m_nHeight = height; }
  CRollupHeader* Header() const { return m_pHeader; }
  void SetHeader(CRollupHeader* header) { m_pHeader = header; }

  void OnDocNotify(int /*code*/, uint32_t /*wordParam*/) override {}

 private:
  QString m_strTitle;
  int m_nResourceId;
  int m_nHeight = -1;
  CRollupHeader* m_pHeader = nullptr;
};

}  // namespace brimvale
