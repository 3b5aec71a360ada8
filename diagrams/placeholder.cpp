// Drawing code lives here.
