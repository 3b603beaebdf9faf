namespace ravelt {}
