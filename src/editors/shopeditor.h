#pragma once
// The shop editor: the keeper on top; goods and rooms, the kinds bought and
// those taken in exchange, and the trade terms in three columns; the
// keeper's replies below. Each part is a page of its own.
#include <QSize>
#include <array>

#include "editors/editorwindow.h"
#include "model/shops.h"

namespace zm {

class EditorPage;
class ShopGoodsPage;
class ShopKeeperPage;
class ShopKindsPage;
class ShopRepliesPage;
class ShopRoomsPage;
class ShopTermsPage;

class ShopEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kShop;
  static QSize DesignedSize() { return {980, 720}; }

  explicit ShopEditor(EditorHost& host, QWidget* parent = nullptr);
  ~ShopEditor() override;

  // TShop's Edit (after EnsureEditor) and Apply.
  void Edit(TShop& shop);
  void ShowAgain() override {
    if (auto* rec = static_cast<TShop*>(LinkedRecord())) Edit(*rec);
  }
  void Apply() override;

  const TShop& WorkingCopy() const { return m_wc; }

  ShopKeeperPage& Keeper() const { return *m_keeper; }
  ShopGoodsPage& Goods() const { return *m_goods; }
  ShopRoomsPage& Rooms() const { return *m_rooms; }
  // The kinds bought (S_Buy…) and those taken in exchange (S_Change…).
  ShopKindsPage& Bought() const { return *m_bought; }
  ShopKindsPage& Exchanged() const { return *m_exchanged; }
  ShopTermsPage& Terms() const { return *m_terms; }
  ShopRepliesPage& Replies() const { return *m_replies; }

 private:
  std::array<EditorPage*, 7> pages() const;

  TShop m_wc;  // WorkingCopy
  ShopKeeperPage* m_keeper = nullptr;
  ShopGoodsPage* m_goods = nullptr;
  ShopRoomsPage* m_rooms = nullptr;
  ShopKindsPage* m_bought = nullptr;
  ShopKindsPage* m_exchanged = nullptr;
  ShopTermsPage* m_terms = nullptr;
  ShopRepliesPage* m_replies = nullptr;
};

// The shop kind's opener.
void RegisterShopEditor(EditorHost& host);

}  // namespace zm
