#pragma once
// Calls into grid members that other parts of the grid bring in their own
// time: the call is made when the member exists and left out while it does
// not, so the column grid and the calculations can chain to the string
// grid's hooks and events without waiting for them.
//
//   ADVGRID_IF_MEMBER(this, g->TAdvStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont));
//
// Pass the most derived pointer (`this`), so protected members are reached.

template <class G, class Fn>
inline void AdvGridCallIfMember(G* g, Fn fn)
{
    if constexpr (requires { fn(g); }) fn(g);
}

#define ADVGRID_IF_MEMBER(Self, Expr) \
    AdvGridCallIfMember(Self, [&](auto* g) -> decltype((void)(Expr)) { (void)(Expr); })
