#include "app/makers_web_page.hpp"

namespace velmorant {

bool OpenMakersWebPage(platform::Shell& launcher) {
  return launcher.Launch({"open", std::string(kMakersWebAddress), {}, {}, {}}).ok;
}

}  // namespace velmorant
