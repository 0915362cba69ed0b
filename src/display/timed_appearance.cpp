#include "display/timed_appearance.hpp"

#include "display/backdrop.hpp"
#include "display/render_helpers.hpp"

namespace velmorant {

void TimedAppearance::Prepare(const Look& look, const platform::Rect& rect, MaskedPicture picture,
                              std::optional<platform::Rect> picture_part) {
  rect_ = rect;
  picture_ = std::move(picture);
  can_disappear_ = look.can_disappear;
  draw_changes_only_ = look.draw_changes_only;
  if (picture_.picture) {
    appear_ = std::make_unique<TRender>(drawing_, look.appear_transition, rect_, picture_part,
                                        picture_.picture.get(), picture_.mask.get());
  }
  if (can_disappear_) {
    // Refused by the memory budget, the backdrop is empty and the disappearance draws nothing.
    backdrop_ = std::make_unique<platform::Bitmap>();
    ChargedBitmapForRect(drawing_.Memory(), rect_, *backdrop_, backdrop_charge_);
    disappear_ = std::make_unique<TRender>(drawing_, look.disappear_transition, rect_,
                                           BackdropExtent(rect_), backdrop_.get(), nullptr);
  }
  frame_ = std::make_unique<TRamkaRender>(drawing_, look.frame, rect_);
  if (look.timed) timer_ = std::make_unique<platform::Timer>(loop_);
  prepared_ = true;
}

void TimedAppearance::Release() {
  shown_ = false;
  prepared_ = false;
  visible_ = false;
  appear_.reset();
  disappear_.reset();
  frame_.reset();
  timer_.reset();
  backdrop_.reset();
  backdrop_charge_.Release();
  picture_ = {};
}

void TimedAppearance::DrawAppearing() {
  if (!prepared_) return;
  if (can_disappear_ && !visible_) {
    SaveUnder(drawing_, rect_, backdrop_.get(), backdrop_charge_);
    frame_->SaveBackground();
  }
  visible_ = true;
  if (appear_) appear_->Execute();
  frame_->Draw(true);
  if (on_appeared) on_appeared();
}

void TimedAppearance::DrawDisappearing() {
  if (!prepared_) return;
  visible_ = false;
  frame_->Draw(false);
  if (disappear_) disappear_->Execute();
  if (on_disappeared) on_disappeared();
}

void TimedAppearance::Appear(int32_t stay_ms) {
  if (!(draw_changes_only_ && visible_)) DrawAppearing();
  if (!timer_) return;
  if (stay_ms < 1) {
    timer_->Disarm();
  } else {
    DisappearAfter(stay_ms);
  }
}

void TimedAppearance::Disappear() {
  if (!draw_changes_only_ || visible_) DrawDisappearing();
  DisarmTimer();
}

void TimedAppearance::AppearAfter(int32_t delay_ms, int32_t stay_ms) {
  ArmTimer(delay_ms, [this, stay_ms] { Appear(stay_ms); });
}

void TimedAppearance::DisappearAfter(int32_t ms) {
  ArmTimer(ms, [this] { Disappear(); });
}

void TimedAppearance::ArmTimer(int32_t ms, std::function<void()> handler) {
  if (timer_) timer_->Arm(ms, std::move(handler));
}

void TimedAppearance::DisarmTimer() {
  if (timer_) timer_->Disarm();
}

}  // namespace velmorant
