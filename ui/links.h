// The two addresses the about window offers, and who stands behind them.
#pragma once
namespace chromatta::ui::links {

inline constexpr char WebAddress[] = "https://chromatta-zududo.org";
inline constexpr char MakerName[] = "Chromatta Zududo Team";
inline constexpr char SupportMail[] = "support@chromatta-zududo.org";

} // namespace chromatta::ui::links
