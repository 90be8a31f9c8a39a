// Varnelle web page: turning something round by hand. One pointer dragged
// turns it, two pinched bring it nearer or farther, and so does the wheel.
// Offered as varnellePage.use('pointer').attach(element, turn): turn(yaw,
// pitch, factor) gets degrees turned (yaw from a drag across, pitch from a
// drag up or down) and how many times nearer to come.
(function() {
  'use strict';
  // Degrees turned per pixel dragged, and how much nearer one pixel of the
  // wheel brings it.
  var degreesPerPixel = 0.4;
  var zoomPerWheelPixel = 0.0015;

  function attach(element, turn) {
    var pointers = new Map();
    function spread() {
      var p = Array.from(pointers.values());
      return Math.hypot(p[0].x - p[1].x, p[0].y - p[1].y);
    }
    element.addEventListener('pointerdown', function(event) {
      element.setPointerCapture(event.pointerId);
      pointers.set(event.pointerId, {x: event.clientX, y: event.clientY});
    });
    element.addEventListener('pointermove', function(event) {
      var last = pointers.get(event.pointerId);
      if (!last) return;
      var before = pointers.size == 2 ? spread() : 0;
      pointers.set(event.pointerId, {x: event.clientX, y: event.clientY});
      if (pointers.size == 1) {
        turn(-(event.clientX - last.x) * degreesPerPixel, (event.clientY - last.y) * degreesPerPixel, 1);
      } else if (pointers.size == 2 && before > 0) {
        turn(0, 0, spread() / before);
      }
    });
    ['pointerup', 'pointercancel'].forEach(function(type) {
      element.addEventListener(type, function(event) { pointers.delete(event.pointerId); });
    });
    element.addEventListener('wheel', function(event) {
      event.preventDefault();
      turn(0, 0, Math.exp(-event.deltaY * zoomPerWheelPixel));
    }, {passive: false});
  }

  varnellePage.offer('pointer', {attach: attach});
})();
