#pragma once

// Fractions are fixed-point with four decimals: 5000 is 0.5, 3300 is 0.33.
// Returns (screen - window) * fraction, rounded half to even.
int PlacedEdge(int screenSize, int windowSize, int fractionTenThousandths);
